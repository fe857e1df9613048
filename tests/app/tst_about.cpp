#include "app/frmAbout.h"
#include "settings/ProgramVersion.h"

#include <QApplication>
#include <QLabel>
#include <QMessageBox>
#include <QPointer>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <QUrlQuery>

namespace {

const frmAbout::Addresses kAddresses{QStringLiteral("https://quorvane.invalid/"),
                                     QStringLiteral("feedback+about@quorvane.invalid")};

// An About box whose links are recorded instead of reaching a browser or a mail program.
struct AboutUnderTest {
    QList<QUrl> opened;
    bool openerSucceeds = true;
    int updateChecks = 0;
    QPointer<frmAbout> box;

    explicit AboutUnderTest(frmAbout::Addresses addresses = kAddresses) {
        box = new frmAbout([this] { ++updateChecks; },
                           [this](const QUrl& url) {
                               opened << url;
                               return openerSucceeds;
                           },
                           std::move(addresses));
    }
    ~AboutUnderTest() { delete box; }

    bool showAndActivate() {
        box->show();
        box->activateWindow();
        return QTest::qWaitForWindowActive(box);
    }
    template <typename T>
    T* child(const char* name) const {
        return box->findChild<T*>(QLatin1String(name));
    }
    // A click on the first characters of a link, where its text is.
    void clickLink(const char* name) const {
        QLabel* link = child<QLabel>(name);
        QTest::mouseClick(link, Qt::LeftButton, {}, QPoint(4, link->height() / 2));
    }
};

}  // namespace

class AboutTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void versionLabelKeepsEveryDigit() {
        QCOMPARE(ProgramVersion::label(2, 3), QStringLiteral("Version 2.3"));
        QCOMPARE(ProgramVersion::label(2, 10), QStringLiteral("Version 2.10"));
        AboutUnderTest about;
        QCOMPARE(about.child<QLabel>("lblVersion")->text(), ProgramVersion::label());
        QCOMPARE(about.box->windowTitle(), QStringLiteral(" About Quorvane"));
    }

    void escapeClosesWithTheFocusOnAButton_data() {
        QTest::addColumn<QString>("button");
        QTest::newRow("OK") << "cmdOK";
        QTest::newRow("Update Check") << "cmdSysInfo";
    }
    void escapeClosesWithTheFocusOnAButton() {
        QFETCH(QString, button);
        AboutUnderTest about;
        QVERIFY(about.showAndActivate());
        auto* focused = about.child<QPushButton>(qPrintable(button));
        focused->setFocus();
        QTRY_COMPARE(QApplication::focusWidget(), focused);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Escape);
        QTRY_VERIFY(about.box.isNull());  // closed and gone
        QCOMPARE(about.updateChecks, 0);
    }

    void updateCheckRunsAndOkCloses() {
        AboutUnderTest about;
        QVERIFY(about.showAndActivate());
        QTest::mouseClick(about.child<QPushButton>("cmdSysInfo"), Qt::LeftButton);
        QCOMPARE(about.updateChecks, 1);
        QVERIFY(about.box->isVisible());
        QTest::mouseClick(about.child<QPushButton>("cmdOK"), Qt::LeftButton);
        QTRY_VERIFY(about.box.isNull());
    }

    void linksOpenTheWebAddressAndAMailWithTheVersion() {
        AboutUnderTest about;
        QVERIFY(about.showAndActivate());
        about.clickLink("WebLink");
        about.clickLink("EmailLink");
        QCOMPARE(about.opened.size(), 2);
        QCOMPARE(about.opened.at(0), QUrl(kAddresses.web));

        const QUrl mail = about.opened.at(1);
        QCOMPARE(mail.scheme(), QStringLiteral("mailto"));
        QCOMPARE(mail.path(), kAddresses.contact);
        QCOMPARE(QUrlQuery(mail).queryItemValue("subject", QUrl::FullyDecoded),
                 QStringLiteral("Quorvane, Version ") + ProgramVersion::text());
        // What a mail program receives: no raw blank, and the '+' of the address kept as it is.
        const QString sent = mail.toString(QUrl::FullyEncoded);
        QVERIFY2(!sent.contains(' '), qPrintable(sent));
        QVERIFY2(sent.startsWith("mailto:feedback+about@quorvane.invalid?subject=Quorvane,%20Version%20"),
                 qPrintable(sent));
        QVERIFY(about.box->isVisible());
    }

    void aFailedMailSaysSoAndLeavesTheBoxOpen() {
        AboutUnderTest about;
        about.openerSucceeds = false;
        QVERIFY(about.showAndActivate());
        QString shown;
        QTimer::singleShot(0, [&shown] {
            auto* message = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            QVERIFY(message != nullptr);
            shown = message->text();
            QTest::keyClick(message, Qt::Key_Return);
        });
        about.clickLink("EmailLink");
        QCOMPARE(shown, QStringLiteral("A problem has occurred while trying to send an e-mail."));
        QVERIFY(about.box->isVisible());
    }

    void withoutAddressesThereAreNoLinks() {
        AboutUnderTest about(frmAbout::Addresses{});
        QVERIFY(about.child<QLabel>("WebLink") == nullptr);
        QVERIFY(about.child<QLabel>("EmailLink") == nullptr);
        QVERIFY(!about.child<QLabel>("lblDisclaimer")->text().contains("address"));
    }
};

QTEST_MAIN(AboutTest)
#include "tst_about.moc"
