#include "widgets/FixedPitchFont.h"

#include <QFontDatabase>
#include <QFontMetrics>
#include <QStringList>

QFont fixedPitchFont() {
    QFont font = QFontDatabase::systemFont(QFontDatabase::FixedFont);
    const QFontMetrics metrics(font);
    if (metrics.horizontalAdvance(QLatin1Char('i')) != metrics.horizontalAdvance(QLatin1Char('W'))) {
        font.setFamilies({QStringLiteral("monospace")});
        font.setStyleHint(QFont::TypeWriter);
        font.setFixedPitch(true);
    }
    return font;
}
