#include "monitor/Popup.h"

#include "monitor/PopupGeometry.h"
#include "widgets/FixedPitchFont.h"

#include <QApplication>
#include <QFontDatabase>
#include <QFontMetrics>
#include <QPainter>
#include <QPointer>
#include <QScreen>
#include <QToolTip>

namespace {
constexpr int kRefreshMs = 900;
constexpr int kPointerCheckMs = 3000;
constexpr int kBackColour = 0;  // black, lightened by 60: RGB(60, 60, 60)

QColor fromColourNumber(int bgr) {
    return QColor(bgr & 0xFF, (bgr >> 8) & 0xFF, (bgr >> 16) & 0xFF);
}
}  // namespace

Popup::Popup(Hooks hooks, QWidget* parent)
    : QWidget(parent, Qt::ToolTip | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint |
                          Qt::WindowDoesNotAcceptFocus),
      hooks_(std::move(hooks)) {
    setObjectName(QStringLiteral("Popup"));
    setWindowTitle(
        QStringLiteral("Quorvane pop-up"));  // never shown: it names the window for the window system
    setAttribute(Qt::WA_ShowWithoutActivating);
    setAttribute(Qt::WA_DeleteOnClose);
    setFocusPolicy(Qt::NoFocus);
    font_ = fixedPitchFont();
    font_.setPointSizeF(8.25);
    Timer3.setInterval(kRefreshMs);
    Timer4.setInterval(kPointerCheckMs);
    connect(&Timer3, &QTimer::timeout, this, &Popup::refresh);
    connect(&Timer4, &QTimer::timeout, this, [this] {
        if (!hooks_.pointerOnTrayIcon()) {
            Timer3.stop();
            Timer4.stop();
            Q_EMIT closeRequested();
        }
    });
}

Popup::~Popup() = default;

int Popup::pixels(int twips) const {
    return twips / qMax(1, hooks_.twipsPerPixel());
}

void Popup::refresh() {
    if (!Timer3.isActive()) {
        Timer3.start();
    }
    const QString text = hooks_.buildText();
    if (text == text_) {
        return;
    }
    text_ = text;
    const QFontMetrics metrics(font_);
    const QStringList lines = text_.split(QStringLiteral("\r\n"));
    int width = 0;
    for (const QString& line : lines) {
        width = qMax(width, metrics.horizontalAdvance(line));
    }
    const int height = text_.isEmpty() ? 0 : metrics.lineSpacing() * int(lines.size());
    const int perPixel = qMax(1, hooks_.twipsPerPixel());
    if (QSize(width, height) * perPixel != textTwips_) {
        textTwips_ = QSize(width, height) * perPixel;
        if (isVisible()) {
            AdjustSize();
        }
    }
    update();
}

void Popup::AdjustSize() {
    const QSize size = PopupGeometry::windowSize(textTwips_);
    const QSize workArea = hooks_.workAreaTwips();
    const int perPixel = qMax(1, hooks_.twipsPerPixel());
    const QRect icon = hooks_.trayIcon ? hooks_.trayIcon() : QRect();
    const QRect iconTwips =
        icon.isEmpty() ? QRect() : QRect(icon.topLeft() * perPixel, icon.size() * perPixel);
    const QRect place = PopupGeometry::placement(size, workArea.width(), workArea.height(), iconTwips);
    const QSize windowPixels(pixels(place.width()), pixels(place.height()));
    // A fixed size: a Wayland compositor, which places the window itself, then floats it at that
    // size instead of tiling it over the screen.
    setFixedSize(windowPixels);
    const QRect clicked = hooks_.clickAnchor ? hooks_.clickAnchor() : QRect();
    if (!clicked.isEmpty()) {
        const QRect area(QPoint(0, 0), QSize(pixels(workArea.width()), pixels(workArea.height())));
        move(PopupGeometry::besideClick(windowPixels, clicked, screen() ? screen()->geometry() : area)
                 .topLeft());
        return;
    }
    move(pixels(place.x()), pixels(place.y()));
}

void Popup::popUp(const QString&, int, int) {
    QToolTip::hideText();  // the tray icon's tooltip would stay under the pop-up that replaces it
    if (isVisible()) {
        hide();
    }
    refresh();
    AdjustSize();
    show();
    raise();
    Timer4.start();
}

void Popup::restartHideTimer() {
    Timer4.stop();
    Timer4.setInterval(10000);
    const QPointer<Popup> alive(this);
    QCoreApplication::processEvents();
    if (!alive) {
        return;  // a click while events ran closed it
    }
    Timer4.setInterval(kPointerCheckMs);
    Timer4.start();
}

void Popup::unload() {
    Timer3.stop();  // no refresh between closing and deletion
    Timer4.stop();
    close();
}

void Popup::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    const QRect all = rect();
    painter.fillRect(all, fromColourNumber(PopupGeometry::AdjustColor(kBackColour, 60)));

    // Black bands along the edges with a three-line bevel inside them.
    const int band = qMax(1, pixels(PopupGeometry::kBandThickness));
    painter.setPen(Qt::NoPen);
    painter.setBrush(Qt::black);
    painter.drawRect(0, 0, all.width(), band);
    painter.drawRect(0, all.height() - band, all.width(), band);
    painter.drawRect(0, 0, band, all.height());
    painter.drawRect(all.width() - band, 0, band, all.height());
    const int colours[] = {0xC0C0C0, 0x808080, 0x404040};
    painter.setBrush(Qt::NoBrush);
    for (int i = 0; i < 3; ++i) {
        const int inset = pixels(PopupGeometry::kBevelStep * (i + 1));
        painter.setPen(fromColourNumber(colours[i]));
        painter.drawRect(QRect(inset, inset, all.width() - 2 * inset - 1, all.height() - 2 * inset - 1));
    }

    painter.setPen(Qt::white);
    painter.setFont(font_);
    const QFontMetrics metrics(font_);
    int y = pixels(PopupGeometry::kTextTop) + metrics.ascent();
    for (const QString& line : text_.split(QStringLiteral("\r\n"))) {
        painter.drawText(pixels(PopupGeometry::kTextLeft), y, line);
        y += metrics.lineSpacing();
    }
}
