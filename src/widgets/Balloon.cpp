#include "widgets/Balloon.h"

#include <QBitmap>
#include <QGridLayout>
#include <QGuiApplication>
#include <QLabel>
#include <QPainter>
#include <QPainterPath>
#include <QScreen>
#include <QStyle>
#include <QToolButton>

namespace {
constexpr int kPadding = 8;
}

Balloon::Balloon(QWidget* parent)
    : QWidget(parent, Qt::ToolTip | Qt::FramelessWindowHint | Qt::WindowDoesNotAcceptFocus),
      titleLabel_(new QLabel(this)),
      textLabel_(new QLabel(this)),
      closeButton_(new QToolButton(this)) {
    setAttribute(Qt::WA_ShowWithoutActivating);
    setFocusPolicy(Qt::NoFocus);
    setForegroundRole(QPalette::ToolTipText);
    setBackgroundRole(QPalette::ToolTipBase);

    QFont titleFont = font();
    titleFont.setBold(true);
    titleLabel_->setFont(titleFont);
    titleLabel_->setTextFormat(Qt::PlainText);
    titleLabel_->setForegroundRole(QPalette::ToolTipText);
    textLabel_->setTextFormat(Qt::PlainText);
    textLabel_->setForegroundRole(QPalette::ToolTipText);

    const int iconSize = style()->pixelMetric(QStyle::PM_SmallIconSize);
    closeButton_->setIcon(style()->standardIcon(QStyle::SP_TitleBarCloseButton));
    closeButton_->setIconSize(QSize(iconSize, iconSize));
    closeButton_->setFixedSize(iconSize + 4, iconSize + 4);
    closeButton_->setAutoRaise(true);
    closeButton_->setFocusPolicy(Qt::NoFocus);
    closeButton_->setToolTip(QStringLiteral("Close"));
    connect(closeButton_, &QToolButton::clicked, this, [this] {
        hide();
        Q_EMIT closed(ClosedBy::User);
    });

    auto* grid = new QGridLayout(this);
    grid->setHorizontalSpacing(kPadding);
    grid->setVerticalSpacing(kPadding / 2);
    grid->addWidget(titleLabel_, 0, 0);
    grid->addWidget(closeButton_, 0, 1, Qt::AlignRight | Qt::AlignTop);
    grid->addWidget(textLabel_, 1, 0, 1, 2);
    grid->setContentsMargins(kPadding, kPadding, kPadding, kPadding + BalloonGeometry::kTailHeight);
}

void Balloon::setTitle(const QString& title) {
    titleLabel_->setText(title);
    setWindowTitle(title);  // names the window for window managers and assistive tools
    relayout();
}

QString Balloon::title() const {
    return titleLabel_->text();
}

void Balloon::setText(const QString& text) {
    text_ = text;
    QString shown = text;
    shown.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    textLabel_->setText(shown);
    textLabel_->setVisible(!shown.isEmpty());
    relayout();
}

void Balloon::setTextFont(const QFont& font) {
    textLabel_->setFont(font);
    relayout();
}

QFont Balloon::textFont() const {
    return textLabel_->font();
}

void Balloon::showAt(QPoint screenPosition) {
    anchor_.clear();
    showAtTarget(QRect(screenPosition, QSize(0, 0)));
}

void Balloon::showBeside(QWidget* anchor) {
    if (anchor == nullptr) {
        return;
    }
    anchor_ = anchor;
    showAtTarget(currentTarget());
}

void Balloon::dismiss() {
    if (!isVisible()) {
        return;
    }
    hide();
    Q_EMIT closed(ClosedBy::Program);
}

QRect Balloon::currentTarget() const {
    if (anchor_) {
        return QRect(anchor_->mapToGlobal(QPoint(0, 0)), anchor_->size());
    }
    return targetRect_;
}

void Balloon::showAtTarget(const QRect& target) {
    targetRect_ = target;
    hasTarget_ = true;
    relayout();
    show();
    raise();
}

void Balloon::relayout() {
    if (!hasTarget_) {
        return;  // never shown yet: nothing to point at
    }
    targetRect_ = currentTarget();
    QGridLayout* grid = static_cast<QGridLayout*>(layout());
    // Measure the body alone, then leave room for the tail on the side the geometry picks.
    grid->setContentsMargins(kPadding, kPadding, kPadding, kPadding);
    grid->activate();
    const QSize body = grid->sizeHint();

    const QScreen* screen = QGuiApplication::screenAt(targetRect_.center());
    if (screen == nullptr) {
        screen = QGuiApplication::primaryScreen();
    }
    const QRect area = screen ? screen->geometry() : QRect(QPoint(0, 0), body * 4);
    if (anchor_) {
        layout_ = BalloonGeometry::besideLayout(body, anchor_->window()->frameGeometry(), targetRect_, area);
    } else {
        layout_ = BalloonGeometry::layout(body, targetRect_, area);
    }

    using Edge = BalloonLayout::TailEdge;
    const auto tailOn = [this](Edge edge) {
        return layout_.tailEdge == edge ? BalloonGeometry::kTailHeight : 0;
    };
    grid->setContentsMargins(kPadding + tailOn(Edge::Left), kPadding + tailOn(Edge::Top),
                             kPadding + tailOn(Edge::Right), kPadding + tailOn(Edge::Bottom));
    grid->activate();
    setFixedSize(layout_.window.size());
    move(layout_.window.topLeft());

    QBitmap mask(layout_.window.size());
    mask.fill(Qt::color0);
    QPainter painter(&mask);
    painter.setPen(QPen(Qt::color1, 1));
    painter.setBrush(Qt::color1);
    painter.drawPath(outline());
    painter.end();
    setMask(mask);
    update();
}

QPainterPath Balloon::outline() const {
    QPainterPath body;
    body.addRoundedRect(QRectF(layout_.body).adjusted(0.5, 0.5, -0.5, -0.5), BalloonGeometry::kCornerRadius,
                        BalloonGeometry::kCornerRadius);
    QPainterPath tail;
    tail.moveTo(layout_.tail[1]);
    tail.lineTo(layout_.tail[0]);
    tail.lineTo(layout_.tail[2]);
    tail.closeSubpath();
    return body.united(tail).simplified();
}

void Balloon::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setBrush(palette().color(QPalette::ToolTipBase));
    painter.setPen(QPen(palette().color(QPalette::ToolTipText), 1));
    painter.drawPath(outline());
}
