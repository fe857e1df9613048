#include "widgets/MessageBox.h"

#include "stats/SysInfo.h"
#include "widgets/EscapeReleaseCloser.h"

#include <QApplication>
#include <QFontMetrics>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QStyle>

namespace {

constexpr int kUnboundedPixels = 1 << 20;

int toPixels(int twips, int twipsPerPixel) {
    return qRound(static_cast<double>(twips) / twipsPerPixel);
}

QRect toPixels(const QRect& twips, int twipsPerPixelX, int twipsPerPixelY) {
    return {toPixels(twips.left(), twipsPerPixelX), toPixels(twips.top(), twipsPerPixelY),
            toPixels(twips.width(), twipsPerPixelX), toPixels(twips.height(), twipsPerPixelY)};
}

QStyle::StandardPixmap iconPixmapFor(int iconIndex) {
    switch (iconIndex) {
        case 0:
            return QStyle::SP_MessageBoxCritical;
        case 1:
            return QStyle::SP_MessageBoxQuestion;
        case 2:
            return QStyle::SP_MessageBoxWarning;
        default:
            return QStyle::SP_MessageBoxInformation;
    }
}

}  // namespace

MessageBoxMetrics MessageBox::metricsFor(const QFont& font, int twipsPerPixelX, int twipsPerPixelY) {
    MessageBoxMetrics metrics;
    metrics.textSize = [font, twipsPerPixelX, twipsPerPixelY](const QString& text) {
        const QRect bounds =
            QFontMetrics(font).boundingRect(QRect(0, 0, kUnboundedPixels, kUnboundedPixels),
                                            Qt::AlignLeft | Qt::AlignTop | Qt::TextExpandTabs, text);
        return QSize(bounds.width() * twipsPerPixelX, bounds.height() * twipsPerPixelY);
    };
    metrics.wrappedTextHeight = [font, twipsPerPixelX, twipsPerPixelY](const QString& text, int width) {
        // Ask a label like the box's own, so the height is what the label will really need.
        QLabel probe;
        probe.setFont(font);
        probe.setTextFormat(Qt::PlainText);
        probe.setWordWrap(true);
        probe.setText(text);
        return probe.heightForWidth(toPixels(width, twipsPerPixelX)) * twipsPerPixelY;
    };
    return metrics;
}

MessageBox::MessageBox(const QString& text, int styleNumber, const QString& title, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                          Qt::WindowCloseButtonHint | Qt::MSWindowsFixedSizeDialogHint) {
    setObjectName(QStringLiteral("MessageBox"));
    // Closed by the release, so that the release never reaches the window below.
    new EscapeReleaseCloser(this, EscapeReleaseCloser::Repeats::Ignored,
                            [this] { done(MessageBoxResult::Cancel); });
    const QScreen* screen = QGuiApplication::primaryScreen();
    const QRect screenPixels = screen != nullptr ? screen->geometry() : QRect();
    const int twipsX = SysInfo::twipsPerPixelX();
    const int twipsY = SysInfo::twipsPerPixelY();
    layout_ = layoutMessageBox(text, styleNumber, title, metricsFor(font(), twipsX, twipsY),
                               QSize(screenPixels.width() * twipsX, screenPixels.height() * twipsY));

    text_ = new QLabel(this);
    text_->setObjectName(QStringLiteral("MsgText"));
    // Callers' texts are shown as they are, never interpreted as markup.
    text_->setTextFormat(Qt::PlainText);
    text_->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    text_->setWordWrap(layout_.textWrapped);
    text_->setText(layout_.text);
    text_->setGeometry(toPixels(layout_.textRect, twipsX, twipsY));

    if (layout_.iconIndex >= 0) {
        icon_ = new QLabel(this);
        icon_->setObjectName(QStringLiteral("MsgIcon"));
        const QRect iconRect = toPixels(layout_.iconRect, twipsX, twipsY);
        icon_->setPixmap(
            style()->standardIcon(iconPixmapFor(layout_.iconIndex), nullptr, this).pixmap(iconRect.size()));
        icon_->setGeometry(iconRect);
    }

    for (qsizetype i = 0; i < layout_.buttons.size(); ++i) {
        const MessageBoxButton& choice = layout_.buttons.at(i);
        auto* button = new QPushButton(choice.caption, this);
        button->setObjectName(QStringLiteral("MsgButton%1").arg(i));
        // No automatic defaults: the default button is the one the style number asks for, or none.
        button->setAutoDefault(false);
        button->setGeometry(toPixels(layout_.buttonRects.at(i), twipsX, twipsY));
        const int result = choice.result;
        connect(button, &QPushButton::clicked, this, [this, result] { done(result); });
        buttons_.append(button);
    }

    setWindowTitle(layout_.caption);
    setFixedSize(toPixels(layout_.clientSize.width(), twipsX), toPixels(layout_.clientSize.height(), twipsY));
    move(screenPixels.topLeft() +
         QPoint(toPixels(layout_.window.left(), twipsX), toPixels(layout_.window.top(), twipsY)));

    if (layout_.defaultButton >= 0) {
        QPushButton* defaultButton = buttons_.at(layout_.defaultButton);
        defaultButton->setDefault(true);
        defaultButton->setFocus();  // taken when the window is activated
    } else {
        // Without a default button no button holds the focus, so Enter chooses nothing by accident.
        setFocus();
    }
}

void MessageBox::reject() {
    done(MessageBoxResult::Closed);
}

void MessageBox::keyPressEvent(QKeyEvent* event) {
    switch (event->key()) {
        case Qt::Key_Return:
        case Qt::Key_Enter: {
            event->accept();
            // Enter presses the button that has the focus, else the default button, else nothing.
            auto* focused = qobject_cast<QPushButton*>(focusWidget());
            if (focused != nullptr && buttons_.contains(focused)) {
                focused->click();
            } else if (layout_.defaultButton >= 0) {
                buttons_.at(layout_.defaultButton)->click();
            }
            return;
        }
        default:
            QDialog::keyPressEvent(event);
    }
}

int ShowMessageBox(const QString& text, int style, const QString& title) {
    MessageBox box(text, style, title);
    return box.exec();
}

void UnloadMessageBoxes() {
    const QList<QWidget*> windows = QApplication::topLevelWidgets();
    for (QWidget* window : windows) {
        if (auto* box = qobject_cast<MessageBox*>(window); box != nullptr && box->isVisible()) {
            box->done(MessageBoxResult::Closed);
        }
    }
}
