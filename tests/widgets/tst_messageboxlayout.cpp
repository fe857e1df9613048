#include "widgets/MessageBoxLayout.h"

#include <QTest>

namespace {

// A monospaced font: every character 90 twips wide (6 px), every line 195 twips tall (13 px).
constexpr int kCharWidth = 90;
constexpr int kLineHeight = 195;
const QSize kScreen(15360, 11520);  // 1024 x 768 pixels at 96 dpi

MessageBoxMetrics fakeMetrics() {
    MessageBoxMetrics metrics;
    metrics.textSize = [](const QString& text) {
        const QStringList lines = text.split(QLatin1Char('\n'));
        qsizetype widest = 0;
        for (const QString& line : lines) {
            widest = std::max(widest, line.size());
        }
        return QSize(static_cast<int>(widest) * kCharWidth, static_cast<int>(lines.size()) * kLineHeight);
    };
    metrics.wrappedTextHeight = [](const QString& text, int width) {
        const qsizetype perLine = std::max(1, width / kCharWidth);
        qsizetype lines = 0;
        for (const QString& line : text.split(QLatin1Char('\n'))) {
            lines += std::max<qsizetype>(1, (line.size() + perLine - 1) / perLine);
        }
        return static_cast<int>(lines) * kLineHeight;
    };
    return metrics;
}

MessageBoxLayout layOut(const QString& text, int style, const QString& title = QStringLiteral("Exit")) {
    return layoutMessageBox(text, style, title, fakeMetrics(), kScreen);
}

QStringList captionsOf(const MessageBoxLayout& layout) {
    QStringList captions;
    for (const MessageBoxButton& button : layout.buttons) {
        captions << button.caption;
    }
    return captions;
}

QList<int> resultsOf(const MessageBoxLayout& layout) {
    QList<int> results;
    for (const MessageBoxButton& button : layout.buttons) {
        results << button.result;
    }
    return results;
}

}  // namespace

class TestMessageBoxLayout : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void styleChoosesButtonsIconAndDefault_data();
    void styleChoosesButtonsIconAndDefault();
    void oneWordWithoutIconFitsTheButtonRow();
    void captionWiderThanEverythingSetsTheWidth();
    void noTitleKeepsTheDesignTimeCaption();
    void iconWidensTheTextMargin();
    void threeButtonsAreCentredInARow();
    void textWiderThanTheScreenIsNarrowedAndWrapped();
    void lineBreaksSetTheTextHeight_data();
    void lineBreaksSetTheTextHeight();
};

void TestMessageBoxLayout::styleChoosesButtonsIconAndDefault_data() {
    QTest::addColumn<int>("style");
    QTest::addColumn<QStringList>("captions");
    QTest::addColumn<QList<int>>("results");
    QTest::addColumn<int>("icon");
    QTest::addColumn<int>("defaultButton");

    const QStringList ok{"&OK"};
    QTest::newRow("0 OK") << 0 << ok << QList<int>{1} << -1 << 0;
    QTest::newRow("1 OK Cancel") << 1 << QStringList{"&OK", "Cancel"} << QList<int>{1, 2} << -1 << 0;
    QTest::newRow("2 Abort Retry Ignore")
        << 2 << QStringList{"&Abort", "&Retry", "&Ignore"} << QList<int>{3, 4, 5} << -1 << 0;
    QTest::newRow("5 Retry Cancel") << 5 << QStringList{"&Retry", "Cancel"} << QList<int>{4, 2} << -1 << 0;
    QTest::newRow("6 unknown set") << 6 << ok << QList<int>{1} << -1 << 0;
    QTest::newRow("16 stop sign") << 16 << ok << QList<int>{1} << 0 << 0;
    QTest::newRow("36 Yes No question") << 36 << QStringList{"&Yes", "&No"} << QList<int>{6, 7} << 1 << 0;
    QTest::newRow("48 exclamation") << 48 << ok << QList<int>{1} << 2 << 0;
    QTest::newRow("64 information") << 64 << ok << QList<int>{1} << 3 << 0;
    QTest::newRow("80 unknown icon") << 80 << ok << QList<int>{1} << -1 << 0;
    QTest::newRow("291 second default")
        << 291 << QStringList{"&Yes", "&No", "Cancel"} << QList<int>{6, 7, 2} << 1 << 1;
    QTest::newRow("516 third of two") << 516 << QStringList{"&Yes", "&No"} << QList<int>{6, 7} << -1 << -1;
    QTest::newRow("771 fourth of three")
        << 771 << QStringList{"&Yes", "&No", "Cancel"} << QList<int>{6, 7, 2} << -1 << -1;
    QTest::newRow("-1 negative") << -1 << ok << QList<int>{1} << -1 << 0;
    QTest::newRow("-300 negative default") << -300 << ok << QList<int>{1} << -1 << -1;
}

void TestMessageBoxLayout::styleChoosesButtonsIconAndDefault() {
    QFETCH(int, style);
    const MessageBoxLayout layout = layOut(QStringLiteral("Quit?"), style);
    QTEST(captionsOf(layout), "captions");
    QTEST(resultsOf(layout), "results");
    QTEST(layout.iconIndex, "icon");
    QTEST(layout.defaultButton, "defaultButton");
    QCOMPARE(layout.buttonRects.size(), layout.buttons.size());
}

void TestMessageBoxLayout::oneWordWithoutIconFitsTheButtonRow() {
    const MessageBoxLayout layout = layOut(QStringLiteral("Done"), 0, QStringLiteral("T"));
    QCOMPARE(layout.rowWidth, 1665);
    QCOMPARE(layout.captionWidth, qRound(2 * kCharWidth * 1.28));
    QCOMPARE(layout.window.width(), 1665);
    QCOMPARE(layout.textRect, QRect(330, 240, 1665 - 720, 480));
    QCOMPARE(layout.buttonRects, QList<QRect>{QRect((1665 - 1095) / 2, 240 + 480 + 30, 1095, 375)});
    QCOMPARE(layout.window.height(), 750 + 900);
    QCOMPARE(layout.window.topLeft(), QPoint((15360 - 1665) / 2, (11520 - 1650) / 2));
    QCOMPARE(layout.clientSize, QSize(1665 - 90, 1650 - 375));
}

void TestMessageBoxLayout::captionWiderThanEverythingSetsTheWidth() {
    const QString title(40, QLatin1Char('x'));
    const MessageBoxLayout layout = layOut(QStringLiteral("Done"), 0, title);
    QCOMPARE(layout.caption, QLatin1Char(' ') + title);
    QCOMPARE(layout.captionWidth, 4723);  // 41 characters: 3690 twips x 1.28 = 4723.2
    QCOMPARE(layout.window.width(), 4723);
    QCOMPARE(layout.textRect.width(), 4723 - 720);
    QCOMPARE(layout.buttonRects.first().left(), (4723 - 1095) / 2);

    // A title that starts with a blank keeps it after the added one.
    QCOMPARE(layOut(QStringLiteral("Done"), 0, QStringLiteral(" Exit")).caption, QStringLiteral("  Exit"));
}

void TestMessageBoxLayout::noTitleKeepsTheDesignTimeCaption() {
    const MessageBoxLayout layout = layOut(QStringLiteral("Too low"), 48, QString());
    QCOMPARE(layout.caption, QStringLiteral(" Quorvane Options"));
    QCOMPARE(captionsOf(layout), QStringList{"&OK"});
    QCOMPARE(layout.iconIndex, 2);
    QCOMPARE(layout.captionWidth, qRound(17 * kCharWidth * 1.28));
    QCOMPARE(layout.window.width(), layout.captionWidth);
}

void TestMessageBoxLayout::iconWidensTheTextMargin() {
    const QString text(40, QLatin1Char('q'));  // 3600 twips
    const MessageBoxLayout layout = layOut(text, 36);
    QCOMPARE(layout.window.width(), 3600 + 1290);
    QCOMPARE(layout.textRect, QRect(960, 240, 3600, 480));
    QCOMPARE(layout.iconRect, QRect(240, 240, 480, 480));
    QVERIFY(!layout.textWrapped);
    const int firstLeft = (4890 - (2 * 1095 + 105)) / 2;
    QCOMPARE(layout.buttonRects,
             (QList<QRect>{QRect(firstLeft, 750, 1095, 375), QRect(firstLeft + 1200, 750, 1095, 375)}));
}

void TestMessageBoxLayout::threeButtonsAreCentredInARow() {
    const MessageBoxLayout layout = layOut(QStringLiteral("Save changes?"), 291);
    QCOMPARE(layout.rowWidth, 3 * 1095 + 2 * 105 + 570);
    QCOMPARE(layout.window.width(), layout.rowWidth);
    QList<int> lefts;
    for (const QRect& rect : layout.buttonRects) {
        lefts << rect.left();
    }
    QCOMPARE(lefts, (QList<int>{285, 1485, 2685}));
}

void TestMessageBoxLayout::textWiderThanTheScreenIsNarrowedAndWrapped() {
    const QString text(500, QLatin1Char('w'));  // 45000 twips on a 15360-twip screen
    const MessageBoxLayout layout = layOut(text, 0);
    QCOMPARE(layout.window.width(), 15360 - 240);
    QCOMPARE(layout.window.left(), 120);
    QCOMPARE(layout.textRect.width(), 15120 - 720);
    // Cut off at the label's edge, most of the text would be lost: it wraps at 160 characters a line.
    QVERIFY(layout.textWrapped);
    QCOMPARE(layout.textRect.height(), 4 * kLineHeight);
    QCOMPARE(layout.buttonRects.first().top(), 240 + 4 * kLineHeight + 30);

    const MessageBoxLayout withIcon = layOut(text, 16);
    QCOMPARE(withIcon.window.width(), 15120);
    QCOMPARE(withIcon.textRect.width(), 15120 - 1290);
}

void TestMessageBoxLayout::lineBreaksSetTheTextHeight_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("lines");
    QTest::addColumn<int>("widest");
    QTest::newRow("LF") << QStringLiteral("Exit Quorvane?\nMonitoring stops.\nOK") << 3 << 17;
    QTest::newRow("CRLF") << QStringLiteral("Exit Quorvane?\r\nMonitoring stops.\r\nOK") << 3 << 17;
    QTest::newRow("CR") << QStringLiteral("a\rb") << 2 << 1;
}

void TestMessageBoxLayout::lineBreaksSetTheTextHeight() {
    QFETCH(QString, text);
    QFETCH(int, lines);
    QFETCH(int, widest);
    const MessageBoxLayout layout = layOut(text, 0);
    QVERIFY(!layout.text.contains(QLatin1Char('\r')));
    QVERIFY(!layout.textWrapped);
    const int height = std::max(480, lines * kLineHeight);
    QCOMPARE(layout.textRect.height(), height);
    QCOMPARE(layout.textRect.left(), 330);
    QCOMPARE(layout.window.width(), std::max(1665, widest * kCharWidth + 720));
    QCOMPARE(layout.buttonRects.first().top(), 240 + height + 30);
    QCOMPARE(layout.window.height(), 240 + height + 30 + 900);
}

QTEST_APPLESS_MAIN(TestMessageBoxLayout)
#include "tst_messageboxlayout.moc"
