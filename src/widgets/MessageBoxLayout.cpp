#include "widgets/MessageBoxLayout.h"

#include <QtMath>
#include <algorithm>

namespace {

// Design-time places of the controls, in twips.
constexpr int kMargin = 240;
constexpr int kIconSize = 480;
constexpr int kTextLeftWithIcon = 960;
constexpr int kTextLeftWithoutIcon = 330;
constexpr int kTextTop = 240;
constexpr int kTextMarginWithIcon = 1290;  // what the window is wider than the text
constexpr int kTextMarginWithoutIcon = 720;
constexpr int kButtonWidth = 1095;
constexpr int kButtonHeight = 375;
constexpr int kButtonGap = 105;
constexpr int kButtonPitch = kButtonWidth + kButtonGap;
constexpr int kRowExtra = 570;  // side margins and frame around the row of buttons
constexpr int kButtonsBelowText = 30;
constexpr int kWindowBelowButtons = 900;  // button, bottom margin, title bar and borders
constexpr int kScreenClearance = 240;     // the box never quite fills the screen's width
constexpr double kTitleFontWidening = 1.28;

constexpr int kIconCount = 4;

QString normaliseLineBreaks(QString text) {
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    text.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    return text;
}

QSize measure(const MessageBoxMetrics& metrics, const QString& text) {
    if (!metrics.textSize) {
        return {};
    }
    const QSize size = metrics.textSize(text);
    return {std::max(0, size.width()), std::max(0, size.height())};
}

}  // namespace

MessageBoxStyle MessageBoxStyle::decompose(int style) {
    // Integer division truncates towards zero, as the classic convention's arithmetic did.
    MessageBoxStyle parts;
    parts.defaultButton = style / 256;
    const int rest = style - 256 * parts.defaultButton;
    parts.icon = rest / 16 - 1;
    parts.buttons = rest - 16 * (parts.icon + 1);
    return parts;
}

QList<MessageBoxButton> messageBoxButtons(int buttonSet) {
    using namespace MessageBoxResult;
    switch (buttonSet) {
        case MessageBoxButtonSet::OkCancel:
            return {{QStringLiteral("&OK"), Ok}, {QStringLiteral("Cancel"), Cancel}};
        case MessageBoxButtonSet::AbortRetryIgnore:
            return {{QStringLiteral("&Abort"), Abort},
                    {QStringLiteral("&Retry"), Retry},
                    {QStringLiteral("&Ignore"), Ignore}};
        case MessageBoxButtonSet::YesNoCancel:
            return {{QStringLiteral("&Yes"), Yes},
                    {QStringLiteral("&No"), No},
                    {QStringLiteral("Cancel"), Cancel}};
        case MessageBoxButtonSet::YesNo:
            return {{QStringLiteral("&Yes"), Yes}, {QStringLiteral("&No"), No}};
        case MessageBoxButtonSet::RetryCancel:
            return {{QStringLiteral("&Retry"), Retry}, {QStringLiteral("Cancel"), Cancel}};
        default:
            return {{QStringLiteral("&OK"), Ok}};
    }
}

MessageBoxLayout layoutMessageBox(const QString& text, int style, const QString& title,
                                  const MessageBoxMetrics& metrics, QSize screenTwips) {
    MessageBoxLayout layout;
    layout.caption =
        title.isEmpty() ? QString::fromLatin1(kMessageBoxDefaultCaption) : QLatin1Char(' ') + title;
    layout.captionWidth = qRound(measure(metrics, layout.caption).width() * kTitleFontWidening);

    const MessageBoxStyle parts = MessageBoxStyle::decompose(style);
    // Icon parts beyond the four known signs have no picture; they lay out like no icon at all.
    layout.iconIndex = (parts.icon >= 0 && parts.icon < kIconCount) ? parts.icon : -1;
    const bool hasIcon = layout.iconIndex >= 0;
    layout.iconRect = QRect(kMargin, kMargin, kIconSize, kIconSize);

    layout.buttons = messageBoxButtons(parts.buttons);
    const int n = static_cast<int>(layout.buttons.size());
    layout.rowWidth = n * kButtonWidth + (n - 1) * kButtonGap + kRowExtra;
    if (parts.defaultButton >= 0 && parts.defaultButton + 1 <= n) {
        layout.defaultButton = parts.defaultButton;
    }

    layout.text = normaliseLineBreaks(text);
    const QSize textSize = measure(metrics, layout.text);
    const int textMargin = hasIcon ? kTextMarginWithIcon : kTextMarginWithoutIcon;
    const int requiredWidth = textSize.width() + textMargin;

    int width = 0;
    if (requiredWidth > layout.rowWidth && requiredWidth > layout.captionWidth) {
        width = requiredWidth;
    } else if (layout.rowWidth > layout.captionWidth) {
        width = layout.rowWidth;
    } else {
        width = layout.captionWidth;
    }
    if (screenTwips.width() > kScreenClearance && screenTwips.width() - kScreenClearance < width) {
        width = screenTwips.width() - kScreenClearance;
    }

    const int textWidth = std::max(0, width - textMargin);
    int textHeight = textSize.height();
    // A text narrowed to fit the screen is wrapped, and its height counts the wrapped lines, so that
    // nothing of the message is cut off.
    if (textSize.width() > textWidth) {
        layout.textWrapped = true;
        if (metrics.wrappedTextHeight) {
            textHeight = std::max(textHeight, metrics.wrappedTextHeight(layout.text, textWidth));
        }
    }
    textHeight = std::max(textHeight, kIconSize);
    layout.textRect =
        QRect(hasIcon ? kTextLeftWithIcon : kTextLeftWithoutIcon, kTextTop, textWidth, textHeight);

    const int buttonTop = layout.textRect.top() + textHeight + kButtonsBelowText;
    int buttonLeft = (width - (layout.rowWidth - kRowExtra)) / 2;
    for (int i = 0; i < n; ++i) {
        layout.buttonRects.append(QRect(buttonLeft, buttonTop, kButtonWidth, kButtonHeight));
        buttonLeft += kButtonPitch;
    }

    const int height = buttonTop + kWindowBelowButtons;
    layout.window =
        QRect((screenTwips.width() - width) / 2, (screenTwips.height() - height) / 2, width, height);
    layout.clientSize = QSize(std::max(0, width - kMessageBoxFrameWidthTwips),
                              std::max(0, height - kMessageBoxFrameHeightTwips));
    return layout;
}
