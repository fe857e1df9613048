#include "app/AppIcon.h"

#include <QPainter>
#include <QPainterPath>

namespace AppIcon {

QPixmap pixmap(int size) {
    QPixmap image(size, size);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    const qreal unit = size / 16.0;

    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(24, 28, 36));
    painter.drawRoundedRect(QRectF(0.5 * unit, 0.5 * unit, 15 * unit, 15 * unit), 3 * unit, 3 * unit);

    // Clock face behind the bars.
    painter.setPen(QPen(QColor(120, 170, 255), qMax(1.0, unit)));
    painter.setBrush(Qt::NoBrush);
    painter.drawEllipse(QPointF(8 * unit, 8 * unit), 5.6 * unit, 5.6 * unit);
    painter.drawLine(QPointF(8 * unit, 8 * unit), QPointF(8 * unit, 4 * unit));
    painter.drawLine(QPointF(8 * unit, 8 * unit), QPointF(10.6 * unit, 8 * unit));

    const struct {
        qreal left, height;
        QColor colour;
    } bars[] = {
        {3.0, 5.0, QColor(60, 200, 90)}, {6.6, 7.5, QColor(240, 200, 40)}, {10.2, 9.5, QColor(235, 70, 60)}};
    painter.setPen(Qt::NoPen);
    for (const auto& bar : bars) {
        painter.setBrush(bar.colour);
        painter.drawRoundedRect(
            QRectF(bar.left * unit, (14.2 - bar.height) * unit, 2.8 * unit, bar.height * unit), 0.6 * unit,
            0.6 * unit);
    }
    return image;
}

QIcon icon() {
    QIcon result;
    for (const int size : {16, 22, 24, 32, 48, 64, 128}) {
        result.addPixmap(pixmap(size));
    }
    return result;
}

}  // namespace AppIcon
