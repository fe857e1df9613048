#include "platform/IniFileCheck.h"

#include <QStringDecoder>

namespace IniFileCheck {

namespace {
bool isWellFormedLine(QByteArrayView line) {
    line = line.trimmed();
    if (line.isEmpty() || line.startsWith(';') || line.startsWith('#')) {
        return true;
    }
    if (line.startsWith('[')) {
        return line.endsWith(']') && line.size() > 2;
    }
    const qsizetype equals = line.indexOf('=');
    return equals > 0 && !line.first(equals).trimmed().isEmpty();
}
}  // namespace

bool isWellFormed(const QByteArray& bytes) {
    // Editors may start the file with a byte-order mark, which QSettings reads past.
    const QByteArray content = bytes.startsWith("\xEF\xBB\xBF") ? bytes.mid(3) : bytes;
    if (content.contains('\0')) {
        return false;
    }
    QStringDecoder utf8(QStringDecoder::Utf8);
    const QString decoded = utf8.decode(content);
    if (utf8.hasError()) {
        return false;
    }
    for (QByteArrayView line : content.split('\n')) {
        if (!isWellFormedLine(line)) {
            return false;
        }
    }
    return true;
}

}  // namespace IniFileCheck
