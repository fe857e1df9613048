#include "options/NumberBox.h"
#include "options/NumberBoxEdit.h"

#include <QApplication>
#include <QClipboard>
#include <QSignalSpy>
#include <QTest>
#include <QVBoxLayout>

// The numeric entry box: its text rules on their own, and the box on screen driven by keys.
class NumberBoxTest : public QObject {
    Q_OBJECT

    // A window with the box under test and a second box to move the focus to.
    struct Window {
        QWidget widget;
        NumberBoxEdit* box = new NumberBoxEdit(&widget);
        NumberBoxEdit* other = new NumberBoxEdit(&widget);
        Window() {
            auto* layout = new QVBoxLayout(&widget);
            layout->addWidget(box);
            layout->addWidget(other);
            widget.show();
            widget.activateWindow();
        }
        bool focusBox() {
            box->setFocus();
            return QTest::qWaitFor([this] { return box->hasFocus(); });
        }
    };

private Q_SLOTS:
    void initTestCase() { QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates)); }

    void formatting_data() {
        QTest::addColumn<QString>("format");
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("positiveOnly");
        QTest::addColumn<QString>("shown");
        QTest::newRow("percent 5") << "##0%"
                                   << "5" << true << "5%";
        QTest::newRow("percent 100") << "##0%"
                                     << "100" << true << "100%";
        QTest::newRow("percent 0") << "##0%"
                                   << "0" << true << "0%";
        QTest::newRow("percent empty") << "##0%"
                                       << "" << true << "0%";
        QTest::newRow("level 75") << "#0"
                                  << "75" << true << "75";
        QTest::newRow("default 1234.5") << NumberBox::kDefaultFormat << "1234.5" << false << "1,234.50";
        QTest::newRow("default -3") << NumberBox::kDefaultFormat << "-3" << false << "(3.00)";
        QTest::newRow("default shown again")
            << NumberBox::kDefaultFormat << "(1,234.50)" << false << "(1,234.50)";
        QTest::newRow("negative percent") << "##0%"
                                          << "-5" << false << "-5%";
        QTest::newRow("sign dropped") << "##0%"
                                      << "-5" << true << "5%";
        QTest::newRow("letters and second point")
            << NumberBox::kDefaultFormat << "1a2.3.4" << false << "12.34";
        QTest::newRow("more digits than places") << "#0"
                                                 << "123" << true << "23";
    }
    void formatting() {
        QFETCH(QString, format);
        QFETCH(QString, text);
        QFETCH(bool, positiveOnly);
        QFETCH(QString, shown);
        const NumberBox::Cleaned cleaned = NumberBox::clean(text, positiveOnly);
        QCOMPARE(NumberBox::formatNumber(cleaned.text, cleaned.nonNegative, format, positiveOnly), shown);
    }

    void digitLimits() {
        QCOMPARE(NumberBox::digitLimitOf(NumberBox::kDefaultFormat), 10);
        QCOMPARE(NumberBox::digitLimitOf(QStringLiteral("#0")), 2);
        QCOMPARE(NumberBox::digitLimitOf(QStringLiteral("#0;(###0)")), 5);
    }

    void valueSetRaisesChangeEveryTime() {
        NumberBox box;
        QSignalSpy changes(&box, &NumberBox::Change);
        box.setValue(7);
        box.setValue(7);
        QCOMPARE(changes.count(), 2);
        box.textEdited(QStringLiteral("07.00"));  // same number: no change
        QCOMPARE(changes.count(), 2);
        box.textEdited(QStringLiteral("8"));
        QCOMPARE(changes.count(), 3);
    }

    void contradictoryLimitsAreRepaired() {
        NumberBox box;
        box.setMinValue(50);
        box.setMaxValue(10);
        QCOMPARE(box.maxValue(), NumberBox::kDefaultMaxValue);
        NumberBox other;
        other.setMaxValue(20);
        other.setMinValue(30);
        QCOMPARE(other.minValue(), 20.0);
    }

    // "#0" holds two digits: a third is refused unless all the text is selected; no minus sign.
    void typingRespectsDigitLimitAndSign() {
        Window window;
        NumberBox& box = window.box->box();
        box.setFormat(QStringLiteral("#0"));
        box.setPositiveOnly(true);
        window.box->setValue(75);
        QVERIFY(window.focusBox());
        QTRY_COMPARE(window.box->selectedText(), QStringLiteral("75"));
        QTest::keyClick(window.box, Qt::Key_End);
        QTest::keyClick(window.box, Qt::Key_3);
        QTest::keyClick(window.box, Qt::Key_Period);
        QCOMPARE(window.box->text(), QStringLiteral("75"));
        QTest::keyClick(window.box, Qt::Key_Home);
        QTest::keyClick(window.box, Qt::Key_Minus);
        QCOMPARE(window.box->text(), QStringLiteral("75"));
        QTest::keyClick(window.box, Qt::Key_A, Qt::ControlModifier);
        QTest::keyClick(window.box, Qt::Key_4);
        QCOMPARE(window.box->text(), QStringLiteral("4"));
    }

    void leavingAppliesLimits_data() {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("shown");
        QTest::newRow("10 below") << "10"
                                  << "25";
        QTest::newRow("empty") << ""
                               << "25";
        QTest::newRow("99 above") << "99"
                                  << "95";
        QTest::newRow("60 inside") << "60"
                                   << "60";
    }
    void leavingAppliesLimits() {
        QFETCH(QString, typed);
        QFETCH(QString, shown);
        Window window;
        NumberBox& box = window.box->box();
        box.setFormat(QStringLiteral("#0"));
        box.setPositiveOnly(true);
        box.setMaxValue(95);
        box.setMinValue(25);
        box.setUseMaxMinValues(true);
        window.box->setValue(75);
        QVERIFY(window.focusBox());
        QTest::keyClick(window.box, Qt::Key_A, Qt::ControlModifier);
        QTest::keyClick(window.box, Qt::Key_Delete);
        QTest::keyClicks(window.box, typed);
        QTest::keyClick(window.box, Qt::Key_Tab);
        QTRY_VERIFY(window.other->hasFocus());
        QCOMPARE(window.box->text(), shown);
        QCOMPARE(window.box->alignment() & Qt::AlignHorizontal_Mask, Qt::AlignRight);
    }

    void pasteIsCleanedAndFormatted() {
        Window window;
        window.box->box().setFormat(QStringLiteral("##0%"));
        window.box->setValue(5);
        QVERIFY(window.focusBox());
        QSignalSpy changes(window.box, &NumberBoxEdit::Change);
        QGuiApplication::clipboard()->setText(QStringLiteral("12a3"));
        if (QGuiApplication::clipboard()->text() != QLatin1String("12a3")) {
            QSKIP("this platform has no clipboard to paste from");
        }
        QTest::keyClick(window.box, Qt::Key_V, Qt::ControlModifier);
        QCOMPARE(window.box->text(), QStringLiteral("123%"));
        QCOMPARE(window.box->selectedText(), QStringLiteral("123%"));
        QCOMPARE(changes.count(), 1);
    }

    // A middle-click paste of the X selection is typed in: each character through the key filter.
    void middleClickPasteIsFiltered() {
        Window window;
        window.box->box().setFormat(QStringLiteral("##0%"));
        window.box->setValue(5);
        QClipboard* clipboard = QGuiApplication::clipboard();
        if (!clipboard->supportsSelection()) {
            QSKIP("this platform has no selection to paste with the middle button");
        }
        clipboard->setText(QStringLiteral("1x%"), QClipboard::Selection);
        QTRY_COMPARE(clipboard->text(QClipboard::Selection), QStringLiteral("1x%"));
        QVERIFY(window.focusBox());
        QTRY_COMPARE(window.box->selectedText(), QStringLiteral("5"));
        QTest::keyClick(window.box, Qt::Key_End);
        QTest::mouseClick(window.box, Qt::MiddleButton);
        QCOMPARE(window.box->text(), QStringLiteral("51"));
    }
};

QTEST_MAIN(NumberBoxTest)
#include "tst_numberbox.moc"
