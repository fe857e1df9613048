#include "stats/SysInfo.h"
#include "widgets/EscapeReleaseCloser.h"
#include "widgets/MessageBox.h"

#include <QApplication>
#include <QDialog>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QTest>
#include <QTimer>

namespace {

QStringList captionsOf(const MessageBox& box) {
    QStringList captions;
    for (const QPushButton* button : box.MsgButtons()) {
        captions << button->text();
    }
    return captions;
}

// Shows the box and waits until it holds the keyboard focus, as a user would meet it.
bool showAndActivate(MessageBox& box) {
    box.show();
    box.activateWindow();
    return QTest::qWaitForWindowActive(&box);
}

// Runs `action` on the first message box that opens, from inside its modal loop.
void whenBoxOpens(std::function<void(MessageBox&)> action) {
    auto* timer = new QTimer;
    timer->setInterval(10);
    QObject::connect(timer, &QTimer::timeout, [timer, action] {
        for (QWidget* window : QApplication::topLevelWidgets()) {
            if (auto* box = qobject_cast<MessageBox*>(window); box != nullptr && box->isVisible()) {
                timer->stop();
                timer->deleteLater();
                action(*box);
                return;
            }
        }
    });
    timer->start();
}

}  // namespace

class TestMessageBox : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void escapeGivesCancelWithoutACancelButton();
    void clickingAButtonGivesItsResult_data();
    void clickingAButtonGivesItsResult();
    void closingTheWindowGivesZero();
    void yesIsDefaultAndFocusedForStyle36();
    void noDefaultAndNoFocusForStyle516();
    void appliesTheLayoutInPixels();
    void textIsShownVerbatim();
    void textWiderThanTheScreenWrapsInsideIt();
    void showMessageBoxReturnsTheChoice();
    void unloadingClosesAnOpenBoxWithZero();
};

// The box closes on the release of Escape, not its press, and that release is its own: the
// window below, which closes on a release of Escape itself, stays open.
void TestMessageBox::escapeGivesCancelWithoutACancelButton() {
    QDialog below;
    new EscapeReleaseCloser(&below);
    below.show();
    QVERIFY(QTest::qWaitForWindowExposed(&below));
    bool openAfterPress = false;
    whenBoxOpens([&](MessageBox& box) {
        QVERIFY(QTest::qWaitForWindowActive(&box));
        QTest::keyPress(box.windowHandle(), Qt::Key_Escape);
        openAfterPress = box.isVisible();
        // The release goes where the keyboard focus is: the box, or the window below once it is gone.
        QTest::keyRelease(box.isVisible() ? box.windowHandle() : below.windowHandle(), Qt::Key_Escape);
    });
    QCOMPARE(ShowMessageBox(QStringLiteral("Exit Quorvane?"), 36, QStringLiteral("Exit")), 2);
    QVERIFY(openAfterPress);
    QVERIFY(below.isVisible());
}

void TestMessageBox::clickingAButtonGivesItsResult_data() {
    QTest::addColumn<int>("style");
    QTest::addColumn<int>("button");
    QTest::addColumn<int>("result");
    QTest::newRow("OK") << 0 << 0 << 1;
    QTest::newRow("Cancel of OK Cancel") << 1 << 1 << 2;
    QTest::newRow("Ignore") << 2 << 2 << 5;
    QTest::newRow("No of Yes No Cancel") << 3 << 1 << 7;
    QTest::newRow("Retry of Retry Cancel") << 5 << 0 << 4;
}

void TestMessageBox::clickingAButtonGivesItsResult() {
    QFETCH(int, style);
    QFETCH(int, button);
    MessageBox box(QStringLiteral("Choose"), style, QString());
    box.show();
    QTest::mouseClick(box.MsgButtons().at(button), Qt::LeftButton);
    QVERIFY(!box.isVisible());
    QTEST(box.result(), "result");
}

void TestMessageBox::closingTheWindowGivesZero() {
    MessageBox box(QStringLiteral("Save changes?"), 3, QStringLiteral("Options"));
    box.show();
    QVERIFY(box.close());
    QCOMPARE(box.result(), 0);
}

void TestMessageBox::yesIsDefaultAndFocusedForStyle36() {
    MessageBox box(QStringLiteral("Exit Quorvane?"), 36, QStringLiteral("Exit"));
    QCOMPARE(captionsOf(box), (QStringList{"&Yes", "&No"}));
    QVERIFY(box.MsgIcon() != nullptr);
    QVERIFY(showAndActivate(box));
    QPushButton* yes = box.MsgButtons().at(0);
    QVERIFY(yes->isDefault());
    QVERIFY(!box.MsgButtons().at(1)->isDefault());
    QCOMPARE(QApplication::focusWidget(), yes);

    // Tab moves the focus to "&No"; Enter then presses the focused button, not the default one.
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    QCOMPARE(QApplication::focusWidget(), box.MsgButtons().at(1));
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
    QCOMPARE(box.result(), 7);
}

void TestMessageBox::noDefaultAndNoFocusForStyle516() {
    MessageBox box(QStringLiteral("Overwrite?"), 516, QStringLiteral("Options"));
    QCOMPARE(captionsOf(box), (QStringList{"&Yes", "&No"}));
    QVERIFY(box.MsgIcon() == nullptr);
    QVERIFY(showAndActivate(box));
    for (const QPushButton* button : box.MsgButtons()) {
        QVERIFY(!button->isDefault());
        QVERIFY(!button->hasFocus());
    }
    // Enter chooses nothing while no button has the focus.
    QTest::keyClick(&box, Qt::Key_Return);
    QVERIFY(box.isVisible());
    QTest::keyClick(&box, Qt::Key_Tab);
    QCOMPARE(QApplication::focusWidget(), box.MsgButtons().at(0));
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
    QCOMPARE(box.result(), 6);
}

void TestMessageBox::appliesTheLayoutInPixels() {
    MessageBox box(QStringLiteral("The level must lie between 0 and 100.\nIt was not changed."), 48,
                   QString());
    const MessageBoxLayout& layout = box.layout();
    const int tx = SysInfo::twipsPerPixelX();
    const int ty = SysInfo::twipsPerPixelY();
    QCOMPARE(box.windowTitle(), QStringLiteral(" Quorvane Options"));
    QCOMPARE(layout.iconIndex, 2);
    QVERIFY(!box.MsgIcon()->pixmap().isNull());

    // The text was measured in the box's own font: its label holds both lines without wrapping.
    const QLabel* text = box.MsgText();
    QVERIFY(!layout.textWrapped);
    const QSize needed =
        text->fontMetrics().boundingRect(QRect(0, 0, 10000, 10000), Qt::AlignLeft, text->text()).size();
    QVERIFY2(text->width() >= needed.width(),
             qPrintable(QStringLiteral("%1 < %2").arg(text->width()).arg(needed.width())));
    QVERIFY(text->height() >= needed.height());
    QCOMPARE(text->geometry().topLeft(),
             QPoint(qRound(double(layout.textRect.left()) / tx), qRound(double(layout.textRect.top()) / ty)));
    QVERIFY(text->x() > box.MsgIcon()->geometry().right());

    QCOMPARE(box.size(), QSize(qRound(double(layout.clientSize.width()) / tx),
                               qRound(double(layout.clientSize.height()) / ty)));
    const QPushButton* ok = box.MsgButtons().at(0);
    QCOMPARE(ok->geometry().top(), qRound(double(layout.buttonRects.at(0).top()) / ty));
    QVERIFY(ok->geometry().bottom() < box.height());

    // Centred on the screen: the frameless offscreen window's position is the outer window's.
    box.show();
    const QRect screen = QGuiApplication::primaryScreen()->geometry();
    QCOMPARE(box.pos(), screen.topLeft() + QPoint(qRound(double(layout.window.left()) / tx),
                                                  qRound(double(layout.window.top()) / ty)));
}

void TestMessageBox::textIsShownVerbatim() {
    MessageBox box(QStringLiteral("<b>C:</b> & D:"), 0, QStringLiteral("Drives"));
    QCOMPARE(box.MsgText()->textFormat(), Qt::PlainText);
    QCOMPARE(box.MsgText()->text(), QStringLiteral("<b>C:</b> & D:"));
    QCOMPARE(box.windowTitle(), QStringLiteral(" Drives"));
}

void TestMessageBox::textWiderThanTheScreenWrapsInsideIt() {
    QStringList words;
    for (int i = 0; i < 400; ++i) {
        words << QStringLiteral("word%1").arg(i);
    }
    MessageBox box(words.join(QLatin1Char(' ')), 16, QStringLiteral("Drives"));
    const QRect screen = QGuiApplication::primaryScreen()->geometry();
    QVERIFY(box.layout().textWrapped);
    QVERIFY(box.frameGeometry().width() < screen.width());
    const QLabel* text = box.MsgText();
    QVERIFY(text->wordWrap());
    QVERIFY(text->height() >= text->heightForWidth(text->width()));
    QVERIFY(text->geometry().right() < box.width());
}

void TestMessageBox::showMessageBoxReturnsTheChoice() {
    whenBoxOpens([](MessageBox& box) {
        QVERIFY(box.isModal());
        QTest::mouseClick(box.MsgButtons().at(1), Qt::LeftButton);
    });
    QCOMPARE(ShowMessageBox(QStringLiteral("Exit Quorvane?"), 36, QStringLiteral("Exit")), 7);
}

void TestMessageBox::unloadingClosesAnOpenBoxWithZero() {
    whenBoxOpens([](MessageBox&) { UnloadMessageBoxes(); });
    QCOMPARE(ShowMessageBox(QStringLiteral("Save changes?"), 291, QStringLiteral("Options")), 0);
}

QTEST_MAIN(TestMessageBox)
#include "tst_messagebox.moc"
