#include "stats/ProcessorDescription.h"

#include "platform/ProcessorInfoLibrary.h"
#include "platform/RoundHalfToEven.h"

#include <QRegularExpression>
#include <limits>

namespace {

const QString kError = QStringLiteral("Error!");

bool isUsable(const QVariant& value) {
    return value.isValid() && !value.toString().isEmpty() && value.toString() != kError;
}

QString cutAtNul(const QString& text) {
    const qsizetype nul = text.indexOf(QChar(0));
    return nul < 0 ? text : text.left(nul);
}

// The number a speed text starts with, blanks ignored ("2.40" of "2.40GHz"); nothing without digits.
std::optional<double> leadingNumber(const QString& text) {
    QString digits;
    bool point = false;
    for (const QChar c : text) {
        if (c == QLatin1Char(' ')) {
            continue;
        }
        if (c.isDigit()) {
            digits.append(c);
        } else if (c == QLatin1Char('.') && !point) {
            point = true;
            digits.append(c);
        } else {
            break;
        }
    }
    bool ok = false;
    const double value = digits.toDouble(&ok);
    if (!ok) {
        return std::nullopt;
    }
    return value;
}

// Rounded to a whole number, halves to even, and raised to the next multiple of 10 unless it is one.
qint64 roundedUpToTen(double value) {
    auto whole = static_cast<qint64>(roundHalfToEven(value));
    if (whole % 10 != 0) {
        whole = (whole / 10 + 1) * 10;
    }
    return whole;
}

QString twoDecimals(double value) {
    return QString::number(value, 'f', 2);
}

QString megahertzText(qint64 megahertz) {
    if (megahertz < 1000) {
        return QString::number(megahertz) + QStringLiteral(" MHz");
    }
    return twoDecimals(static_cast<double>(megahertz) / 1000.0) + QStringLiteral(" GHz");
}

}  // namespace

ProcessorDescription::ProcessorDescription(ValueReader readValue, ProcessorInfoLibrary* library)
    : readValue_(std::move(readValue)), library_(library) {}

QString ProcessorDescription::removeTrademarks(const QString& name) {
    static const QRegularExpression trademark(QStringLiteral("\\((r|tm)\\)"),
                                              QRegularExpression::CaseInsensitiveOption);
    QString cleaned = name.trimmed();
    // Repeat: removing one sign can join the halves of another ("(t(r)m)").
    for (;;) {
        const QRegularExpressionMatch match = trademark.match(cleaned);
        if (!match.hasMatch()) {
            return cleaned;
        }
        cleaned.remove(match.capturedStart(), match.capturedLength());
    }
}

QString ProcessorDescription::collapseBlanks(const QString& text) {
    QString collapsed;
    collapsed.reserve(text.size());
    for (qsizetype at = 0; at < text.size(); ++at) {
        const QChar c = text.at(at);
        if (c == QLatin1Char(' ') && (at + 1 >= text.size() || text.at(at + 1) == QLatin1Char(' '))) {
            continue;
        }
        collapsed.append(c);
    }
    return collapsed;
}

QString ProcessorDescription::speedSuffix(const QVariant& megahertz) {
    if (!isUsable(megahertz)) {
        return {};
    }
    bool ok = false;
    const double value = megahertz.toString().trimmed().toDouble(&ok);
    // The value is a 16-bit number: anything else gives no suffix rather than a wrong one.
    if (!ok || !(value > 0) || roundHalfToEven(value) > std::numeric_limits<qint16>::max()) {
        return {};
    }
    return QStringLiteral(" (") + megahertzText(roundedUpToTen(value)) + QLatin1Char(')');
}

QString ProcessorDescription::formatRawSpeed(const QString& speedText) {
    const qsizetype mega = speedText.indexOf(QLatin1Char('M'));
    const qsizetype giga = speedText.indexOf(QLatin1Char('G'));
    std::optional<double> number;
    bool inGigahertz = false;
    if (mega >= 0) {
        number = leadingNumber(speedText.left(mega));
    } else if (giga >= 0) {
        number = leadingNumber(speedText.left(giga));
        inGigahertz = true;
    }
    if (!number || !(*number > 0) || *number > 1e9) {
        return {};
    }
    const auto value = static_cast<float>(inGigahertz ? *number * 100.0 : *number);  // hundredths of GHz
    const qint64 rounded = roundedUpToTen(value);
    if (inGigahertz) {
        return twoDecimals(static_cast<double>(rounded) / 100.0) + QStringLiteral(" GHz");
    }
    return megahertzText(rounded);
}

QString ProcessorDescription::cleanedName(const QString& valueName) {
    const QVariant value = readValue_(valueName);
    if (!isUsable(value)) {
        return {};
    }
    QString name = removeTrademarks(value.toString());
    const QString lower = name.toLower();
    if (!lower.contains(QLatin1String("mhz")) && !lower.contains(QLatin1String("ghz"))) {
        name += speedSuffix(readValue_(QStringLiteral("~MHz")));
    }
    return name;
}

QString ProcessorDescription::build() {
    const QString registryName = cleanedName(QStringLiteral("ProcessorNameString"));
    if (!registryName.isEmpty()) {
        const QString collapsed = collapseBlanks(registryName);
        if (!collapsed.isEmpty()) {
            return collapsed;
        }
    }

    QString description;
    if (library_ != nullptr) {
        QString name = cutAtNul(library_->processorName());
        const qsizetype quote = name.indexOf(QLatin1Char('"'));
        if (quote >= 0) {
            name.truncate(std::max<qsizetype>(0, quote - 1));
        }
        QString speedText = cutAtNul(library_->rawSpeed());
        if (speedText.isEmpty()) {
            const qsizetype cpu = registryName.indexOf(QLatin1String("CPU"));
            if (cpu >= 0) {
                speedText = registryName.mid(cpu + 4);
            }
        }
        const QString speed = formatRawSpeed(speedText);
        if (speed.isEmpty()) {
            description = name;
        } else if (name.isEmpty()) {
            description = speed;
        } else {
            description = name + QStringLiteral(" (") + speed + QLatin1Char(')');
        }
    }

    if (description.isEmpty()) {
        description = collapseBlanks(cleanedName(QStringLiteral("VendorIdentifier")));
    }
    if (description.isEmpty()) {
        description = QStringLiteral("Unknown processor type");
    }
    return description;
}
