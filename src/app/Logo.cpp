#include "app/Logo.h"

#include "app/AppIcon.h"
#include "platform/WindowSystem.h"
#include "settings/ProgramVersion.h"
#include "stats/SysInfo.h"

#include <QCloseEvent>
#include <QEventLoop>
#include <QGuiApplication>
#include <QLabel>
#include <QPainter>
#include <QPainterPath>
#include <QScreen>

namespace {
constexpr int kWidthTwips = 3975;
constexpr int kHeightTwips = 2955;
constexpr int kCornerDiameter = 40;
constexpr int kLifetimeMs = 3000;
const QColor kFrame(58, 83, 115);

QFont serifFont(int pointSize) {
    QFont font(QStringLiteral("Times New Roman"), pointSize, QFont::Bold);
    font.setStyleHint(QFont::Serif);
    return font;
}

// The window's outline: from (1, 1) to the far edges, corners rounded by 40 x 40 ellipses.
QPainterPath outline(const QSize& size) {
    QPainterPath path;
    path.addRoundedRect(QRectF(1, 1, size.width() - 1, size.height() - 1), kCornerDiameter / 2.0,
                        kCornerDiameter / 2.0);
    return path;
}
}  // namespace

Logo::Logo(QWidget* parent)
    : QWidget(parent, Qt::SplashScreen | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint) {
    setWindowTitle(QStringLiteral(" Quorvane"));
    // Wayland compositors honour no window mask but blend every window's alpha, as X11 does with
    // a compositing manager: there the rounded shape is painted on a clear window instead.
    translucent_ = QGuiApplication::platformName().startsWith(QLatin1String("wayland")) ||
                   WindowSystem::showsTranslucency();
    setAttribute(Qt::WA_TranslucentBackground, translucent_);
    const int width = kWidthTwips / SysInfo::twipsPerPixelX();
    const int height = kHeightTwips / SysInfo::twipsPerPixelY();
    setFixedSize(width, height);

    auto* image = new QLabel(this);
    image->setObjectName(QStringLiteral("Image1"));
    image->setPixmap(AppIcon::pixmap(64));
    image->setGeometry(18, 26, 64, 64);

    // The name twice, the first a shade behind the second.
    const QRect namePlace(92, 34, width - 100, 48);
    addLabel(QStringLiteral("Quorvane"), serifFont(18), namePlace.translated(2, 2), QColor(160, 168, 180),
             Qt::AlignLeft | Qt::AlignVCenter);
    addLabel(QStringLiteral("Quorvane"), serifFont(18), namePlace, kFrame, Qt::AlignLeft | Qt::AlignVCenter);

    QFont plain = font();
    plain.setPointSize(9);
    addLabel(QStringLiteral("PLEASE WAIT...Setting up display data"), plain,
             QRect(8, height - 82, width - 16, 24), Qt::black, Qt::AlignCenter)
        ->setObjectName(QStringLiteral("lblWait"));
    addLabel(ProgramVersion::label(), plain, QRect(8, height - 50, width - 16, 24), Qt::black,
             Qt::AlignCenter)
        ->setObjectName(QStringLiteral("lblVersion"));

    Timer1.setSingleShot(true);
    Timer1.setInterval(kLifetimeMs);
    connect(&Timer1, &QTimer::timeout, this, &QWidget::close);
}

QLabel* Logo::addLabel(const QString& text, const QFont& font, const QRect& place, const QColor& colour,
                       Qt::Alignment alignment) {
    auto* label = new QLabel(text, this);
    label->setFont(font);
    label->setGeometry(place);
    label->setAlignment(alignment);
    QPalette palette = label->palette();
    palette.setColor(QPalette::WindowText, colour);
    label->setPalette(palette);
    return label;
}

void Logo::exec() {
    QEventLoop loop;
    connect(this, &Logo::closed, &loop, &QEventLoop::quit);
    Timer1.start();
    if (const QScreen* screen = QGuiApplication::primaryScreen()) {
        move(screen->availableGeometry().center() - rect().center());
    }
    show();
    raise();
    if (isVisible()) {  // not closed while it was being shown
        loop.exec();
    }
}

void Logo::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    QLinearGradient background(0, 0, 0, height());
    background.setColorAt(0, QColor(246, 248, 251));
    background.setColorAt(1, QColor(214, 222, 232));
    painter.setBrush(background);
    painter.setPen(QPen(kFrame, 3));
    painter.drawPath(outline(size()));
}

void Logo::resizeEvent(QResizeEvent* event) {
    if (!translucent_) {
        setMask(QRegion(outline(size()).toFillPolygon().toPolygon()));
    }
    QWidget::resizeEvent(event);
}

void Logo::closeEvent(QCloseEvent* event) {
    Timer1.stop();
    event->accept();
    Q_EMIT closed();
}
