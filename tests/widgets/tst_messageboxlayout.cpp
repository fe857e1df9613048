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

// Whether a control lies wholly in the box's client area.
bool inClientArea(const MessageBoxLayout& layout, const QRect& control) {
    return QRect(QPoint(0, 0), layout.clientSize).contains(control);
}

// What a check of the whole box found wrong, or nothing: every control in the client area, the text
// beside the icon (when there is one) and as large as it measures, the buttons one row of equal
// buttons under the text and centred in the window, and the window centred on the screen.
QString faults(const MessageBoxLayout& layout) {
    QStringList found;
    const QSize measured = fakeMetrics().textSize(layout.text);
    if (!inClientArea(layout, layout.textRect)) {
        found << QStringLiteral("the text leaves the client area");
    }
    if (layout.textRect.height() < measured.height()) {
        found << QStringLiteral("the text is cut off at the bottom");
    }
    if (!layout.textWrapped && layout.textRect.width() < measured.width()) {
        found << QStringLiteral("an unwrapped text is cut off at the side");
    }
    if (layout.iconIndex >= 0 &&
        (!inClientArea(layout, layout.iconRect) || layout.textRect.left() <= layout.iconRect.right())) {
        found << QStringLiteral("the icon is not in the client area left of the text");
    }
    for (qsizetype i = 0; i < layout.buttonRects.size(); ++i) {
        const QRect& button = layout.buttonRects.at(i);
        if (!inClientArea(layout, button) || button.top() <= layout.textRect.bottom()) {
            found << QStringLiteral("button %1 is not in the client area under the text").arg(i);
        }
        if (i > 0 && (button.top() != layout.buttonRects.first().top() ||
                      button.size() != layout.buttonRects.first().size() ||
                      button.left() <= layout.buttonRects.at(i - 1).right())) {
            found << QStringLiteral("button %1 is not the next in the row").arg(i);
        }
    }
    if (!layout.buttonRects.isEmpty()) {
        const int leftGap = layout.buttonRects.first().left();
        const int rightGap = layout.window.width() - (layout.buttonRects.last().right() + 1);
        if (qAbs(leftGap - rightGap) > 1) {
            found
                << QStringLiteral("the buttons are off-centre: %1 left, %2 right").arg(leftGap).arg(rightGap);
        }
    }
    const int spareWidth = kScreen.width() - layout.window.width();
    const int spareHeight = kScreen.height() - layout.window.height();
    if (qAbs(layout.window.left() - spareWidth / 2) > 1 || qAbs(layout.window.top() - spareHeight / 2) > 1) {
        found << QStringLiteral("the window is not centred on the screen");
    }
    return found.join(QStringLiteral("; "));
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
    QVERIFY2(faults(layout).isEmpty(), qPrintable(faults(layout)));
    QVERIFY(layout.rowWidth > layout.captionWidth);
    QCOMPARE(layout.window.width(), layout.rowWidth);
    QVERIFY(layout.textRect.width() > 4 * kCharWidth);  // the text does not set the width
}

void TestMessageBoxLayout::captionWiderThanEverythingSetsTheWidth() {
    const QString title(40, QLatin1Char('x'));
    const MessageBoxLayout layout = layOut(QStringLiteral("Done"), 0, title);
    QVERIFY2(faults(layout).isEmpty(), qPrintable(faults(layout)));
    QCOMPARE(layout.caption, QLatin1Char(' ') + title);
    // Widened beyond its width in the box's font: the title bar's font is the larger one.
    QVERIFY(layout.captionWidth > 41 * kCharWidth);
    QVERIFY(layout.captionWidth > layout.rowWidth);
    QCOMPARE(layout.window.width(), layout.captionWidth);

    // A title that starts with a blank keeps it after the added one.
    QCOMPARE(layOut(QStringLiteral("Done"), 0, QStringLiteral(" Exit")).caption, QStringLiteral("  Exit"));
}

void TestMessageBoxLayout::noTitleKeepsTheDesignTimeCaption() {
    const MessageBoxLayout layout = layOut(QStringLiteral("Too low"), 48, QString());
    QVERIFY2(faults(layout).isEmpty(), qPrintable(faults(layout)));
    QCOMPARE(layout.caption, QStringLiteral(" Quorvane Options"));
    QCOMPARE(captionsOf(layout), QStringList{"&OK"});
    QCOMPARE(layout.iconIndex, 2);
    QVERIFY(layout.captionWidth > 17 * kCharWidth);
    QCOMPARE(layout.window.width(), layout.captionWidth);
}

void TestMessageBoxLayout::iconWidensTheTextMargin() {
    const QString text(40, QLatin1Char('q'));  // wider than the caption and the row of buttons
    const MessageBoxLayout withIcon = layOut(text, 36);
    const MessageBoxLayout withoutIcon = layOut(text, 4);
    QVERIFY2(faults(withIcon).isEmpty(), qPrintable(faults(withIcon)));
    QVERIFY2(faults(withoutIcon).isEmpty(), qPrintable(faults(withoutIcon)));
    QVERIFY(!withIcon.textWrapped);
    QCOMPARE(withIcon.textRect.width(), 40 * kCharWidth);
    QCOMPARE(withoutIcon.textRect.width(), 40 * kCharWidth);
    // The text moves right of the icon, and the window widens with it.
    QVERIFY(withIcon.textRect.left() > withoutIcon.textRect.left());
    QVERIFY(withIcon.window.width() > withoutIcon.window.width());
    QCOMPARE(withIcon.iconRect.top(), withIcon.textRect.top());
}

void TestMessageBoxLayout::threeButtonsAreCentredInARow() {
    const MessageBoxLayout layout = layOut(QStringLiteral("Save changes?"), 291);
    QVERIFY2(faults(layout).isEmpty(), qPrintable(faults(layout)));
    QCOMPARE(layout.buttonRects.size(), 3);
    QCOMPARE(layout.window.width(), layout.rowWidth);
    const QList<QRect>& buttons = layout.buttonRects;
    QCOMPARE(buttons.at(1).left() - buttons.at(0).right(), buttons.at(2).left() - buttons.at(1).right());
}

void TestMessageBoxLayout::textWiderThanTheScreenIsNarrowedAndWrapped() {
    const QString text(500, QLatin1Char('w'));  // three times as wide as the screen
    for (const int style : {0, 16}) {
        const MessageBoxLayout layout = layOut(text, style);
        QVERIFY2(faults(layout).isEmpty(), qPrintable(faults(layout)));
        QVERIFY(layout.window.left() > 0);
        QVERIFY(layout.window.right() < kScreen.width() - 1);
        // Cut off at the label's edge, most of the text would be lost: it wraps instead, and the
        // label is as tall as the wrapped lines.
        QVERIFY(layout.textWrapped);
        QVERIFY(layout.textRect.height() >=
                fakeMetrics().wrappedTextHeight(layout.text, layout.textRect.width()));
        QVERIFY(layout.textRect.height() > kLineHeight);
    }
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
    QVERIFY2(faults(layout).isEmpty(), qPrintable(faults(layout)));
    QCOMPARE(layout.text.count(QLatin1Char('\n')), lines - 1);
    QVERIFY(!layout.text.contains(QLatin1Char('\r')));
    QVERIFY(!layout.textWrapped);
    QVERIFY(layout.textRect.height() >= lines * kLineHeight);
    QVERIFY(layout.textRect.width() >= widest * kCharWidth);
}

QTEST_APPLESS_MAIN(TestMessageBoxLayout)
#include "tst_messageboxlayout.moc"
