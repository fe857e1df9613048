#include "platform/linux/SettingsFileText.h"

#include <QStringDecoder>

namespace {
const QString kSection = QStringLiteral("Settings");
const QByteArray kUnreadableSection =
    QByteArrayLiteral("[\xEF\xBF\xBD]");  // U+FFFD, the replacement character

bool isBlank(char c) {
    return c == ' ' || c == '\t' || c == '\r';
}

QByteArrayView trimmed(QByteArrayView text) {
    while (!text.isEmpty() && isBlank(text.front())) {
        text = text.sliced(1);
    }
    while (!text.isEmpty() && isBlank(text.back())) {
        text.chop(1);
    }
    return text;
}

// QString::fromUtf8 drops a byte-order mark at the start, which inside a value is a character.
QString utf8(QByteArrayView text) {
    QStringDecoder decoder(QStringDecoder::Utf8, QStringDecoder::Flag::ConvertInitialBom);
    return decoder.decode(text);
}

bool isUtf8(QByteArrayView text) {
    // The decoder replaces what is not UTF-8 (a sequence cut off at the end included), so only
    // sound text comes back as it was.
    return utf8(text).toUtf8() == text;
}

bool isControl(QChar c) {
    return c.unicode() < 0x20 || c.unicode() == 0x7f;
}

int hexValue(char c) {
    if (c >= '0' && c <= '9') {
        return c - '0';
    }
    if (c >= 'a' && c <= 'f') {
        return c - 'a' + 10;
    }
    if (c >= 'A' && c <= 'F') {
        return c - 'A' + 10;
    }
    return -1;
}

// The number of `digits` hex digits at `at`, or -1.
int hexNumber(QByteArrayView text, qsizetype at, int digits) {
    if (at + digits > text.size()) {
        return -1;
    }
    int number = 0;
    for (int i = 0; i < digits; ++i) {
        const int digit = hexValue(text[at + i]);
        if (digit < 0) {
            return -1;
        }
        number = number * 16 + digit;
    }
    return number;
}

std::optional<QString> unquoted(QByteArrayView inner) {
    QString result;
    QByteArray plain;
    for (qsizetype i = 0; i < inner.size(); ++i) {
        const char c = inner[i];
        if (c == '"') {
            return std::nullopt;
        }
        if (c != '\\') {
            plain += c;
            continue;
        }
        if (++i == inner.size()) {
            return std::nullopt;
        }
        result += utf8(plain);
        plain.clear();
        switch (inner[i]) {
            case '\\':
            case '"':
                result += QLatin1Char(inner[i]);
                break;
            case 'n':
                result += QLatin1Char('\n');
                break;
            case 'r':
                result += QLatin1Char('\r');
                break;
            case 't':
                result += QLatin1Char('\t');
                break;
            case 'x':
            case 'u': {
                const int digits = inner[i] == 'x' ? 2 : 4;
                const int code = hexNumber(inner, i + 1, digits);
                if (code < 0) {
                    return std::nullopt;
                }
                result += QChar(char16_t(code));
                i += digits;
                break;
            }
            default:
                return std::nullopt;
        }
    }
    return result + utf8(plain);
}
}  // namespace

SettingsFileText SettingsFileText::parse(const QByteArray& bytes) {
    // Editors may start the file with a byte-order mark.
    QByteArrayView content = bytes.startsWith("\xEF\xBB\xBF") ? QByteArrayView(bytes).sliced(3) : bytes;
    if (content.endsWith('\n')) {
        content.chop(1);
    }
    SettingsFileText result;
    if (content.isEmpty() && !bytes.endsWith('\n')) {
        return result;
    }
    bool inSettings = false;
    qsizetype start = 0;
    while (start <= content.size()) {
        qsizetype end = content.indexOf('\n', start);
        if (end < 0) {
            end = content.size();
        }
        const QByteArrayView line = content.sliced(start, end - start);
        start = end + 1;
        const QByteArrayView text = trimmed(line);
        // A byte-order mark further down is debris of joined files, and would vanish once first.
        const bool readable = !line.contains('\0') && !line.startsWith("\xEF\xBB\xBF") && isUtf8(line);
        Line kept{line.toByteArray(), {}};
        if (text.startsWith('[')) {
            // Every header ends the section above, even one that cannot be read: leaving it out
            // would move the keys below it into that section. "[Settings" names its section plainly.
            const bool closed = text.size() > 2 && text.endsWith(']');
            const bool open = text.size() > 1 && !text.contains(']');
            if (!readable || (!closed && !open)) {
                result.lines_ << Line{kUnreadableSection, {}};
                ++result.mendedLines_;
                inSettings = false;
                continue;
            }
            const QByteArrayView name = trimmed(closed ? text.sliced(1, text.size() - 2) : text.sliced(1));
            inSettings = utf8(name) == kSection;
            if (open) {
                kept.text = text.toByteArray() + ']';
                ++result.mendedLines_;
            }
            result.lines_ << kept;
            continue;
        }
        if (!readable) {
            ++result.unreadableLines_;
            continue;
        }
        if (text.isEmpty() || text.startsWith(';') || text.startsWith('#')) {
            result.lines_ << kept;
            continue;
        }
        const qsizetype equals = text.indexOf('=');
        const QByteArrayView key = equals > 0 ? trimmed(text.first(equals)) : QByteArrayView();
        if (key.isEmpty()) {
            ++result.unreadableLines_;
            continue;
        }
        ++result.settingLines_;
        if (inSettings) {
            kept.settingsKey = utf8(key).toCaseFolded();
            result.values_.insert(kept.settingsKey, decodeValue(trimmed(text.sliced(equals + 1))));
        }
        result.lines_ << kept;
    }
    return result;
}

std::optional<QString> SettingsFileText::value(const QString& key) const {
    const auto found = values_.constFind(key.toCaseFolded());
    if (found == values_.constEnd()) {
        return std::nullopt;
    }
    return *found;
}

bool SettingsFileText::setValue(const QString& key, const QString& value) {
    if (!isWritableKey(key)) {
        return false;
    }
    const QString folded = key.toCaseFolded();
    const QByteArray text = key.toUtf8() + '=' + encodeValue(value);
    qsizetype insertAt = -1;  // after the last setting or header of the last "Settings" section
    qsizetype last = -1;      // the line that holds the key now
    bool inSettings = false;
    for (qsizetype i = 0; i < lines_.size(); ++i) {
        const QByteArrayView line = trimmed(lines_[i].text);
        if (line.startsWith('[')) {
            inSettings = utf8(trimmed(line.sliced(1, line.size() - 2))) == kSection;
        }
        if (inSettings && !line.isEmpty() && !line.startsWith(';') && !line.startsWith('#')) {
            insertAt = i + 1;
        }
        if (lines_[i].settingsKey == folded) {
            last = i;
        }
    }
    if (last >= 0) {
        lines_[last].text = text;
        for (qsizetype i = last - 1; i >= 0; --i) {
            if (lines_[i].settingsKey == folded) {
                lines_.removeAt(i);
            }
        }
    } else if (insertAt >= 0) {
        lines_.insert(insertAt, Line{text, folded});
    } else {
        lines_ << Line{QByteArrayLiteral("[Settings]"), {}} << Line{text, folded};
    }
    values_.insert(folded, value);
    return true;
}

QByteArray SettingsFileText::toBytes() const {
    QByteArray bytes;
    for (const Line& line : lines_) {
        bytes += line.text + '\n';
    }
    return bytes;
}

QByteArray SettingsFileText::encodeValue(const QString& value) {
    bool quoted =
        !value.isEmpty() && (value.front() == QLatin1Char('"') || value.front() == QLatin1Char(' ') ||
                             value.front() == QLatin1Char('\t') || value.back() == QLatin1Char(' ') ||
                             value.back() == QLatin1Char('\t'));
    for (qsizetype i = 0; i < value.size() && !quoted; ++i) {
        quoted = isControl(value[i]) || value[i].isSurrogate();
    }
    if (!quoted) {
        return value.toUtf8();
    }
    // Surrogate pairs are checked one by one above; a whole pair is written as UTF-8 again below.
    QByteArray bytes = "\"";
    for (qsizetype i = 0; i < value.size(); ++i) {
        const QChar c = value[i];
        if (c.isHighSurrogate() && i + 1 < value.size() && value[i + 1].isLowSurrogate()) {
            bytes += value.sliced(i, 2).toUtf8();
            ++i;
        } else if (c.isSurrogate()) {
            bytes += "\\u" + QByteArray::number(c.unicode(), 16).rightJustified(4, '0');
        } else if (isControl(c)) {
            bytes += "\\x" + QByteArray::number(c.unicode(), 16).rightJustified(2, '0');
        } else if (c == QLatin1Char('\\') || c == QLatin1Char('"')) {
            bytes += '\\' + QByteArray(1, char(c.unicode()));
        } else {
            bytes += QString(c).toUtf8();
        }
    }
    return bytes + '"';
}

QString SettingsFileText::decodeValue(QByteArrayView raw) {
    if (raw.size() >= 2 && raw.startsWith('"') && raw.endsWith('"')) {
        if (const std::optional<QString> inner = unquoted(raw.sliced(1, raw.size() - 2))) {
            return *inner;
        }
    }
    return utf8(raw);
}

bool SettingsFileText::isWritableKey(const QString& key) {
    if (key.isEmpty() || key.contains(QLatin1Char('=')) || key.front() == QLatin1Char('[') ||
        key.front() == QLatin1Char(';') || key.front() == QLatin1Char('#') || key.front() == QChar(0xFEFF) ||
        key.front() == QLatin1Char(' ') || key.back() == QLatin1Char(' ')) {
        return false;
    }
    for (const QChar c : key) {
        if (isControl(c) || c.isSurrogate()) {
            return false;
        }
    }
    return true;
}
