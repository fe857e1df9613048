#include "options/SystemFactsText.h"

#include <cmath>

namespace {
QString wholeUnits(double bytes, double unit, const QLocale& locale, const char* suffix) {
    const double units = std::isfinite(bytes) && bytes > 0 ? std::round(bytes / unit) : 0;
    return locale.toString(qint64(units)) + QLatin1String(suffix);
}
}  // namespace

namespace SystemFactsText {

QString processor(const QString& description) {
    const qsizetype at = description.indexOf(QLatin1Char('@'));
    if (at < 0) {
        return description;
    }
    return description.left(at) + QStringLiteral("\n     ") + description.mid(at);
}

QString megabytes(double bytes, const QLocale& locale) {
    return wholeUnits(bytes, 1048576.0, locale, " MB");
}

QString gigabytes(double bytes, const QLocale& locale) {
    return wholeUnits(bytes, 1073741824.0, locale, " GB");
}

}  // namespace SystemFactsText
