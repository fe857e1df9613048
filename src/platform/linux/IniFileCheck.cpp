#include "platform/linux/IniFileCheck.h"

#include <QList>
#include <QStringDecoder>

namespace IniFileCheck {

namespace {
enum class Line { Sound, Unreadable, OpenSection };

Line classify(QByteArrayView line) {
    if (line.contains('\0')) {
        return Line::Unreadable;
    }
    QStringDecoder utf8(QStringDecoder::Utf8);
    [[maybe_unused]] const QString decoded = utf8.decode(line);
    if (utf8.hasError()) {
        return Line::Unreadable;
    }
    line = line.trimmed();
    if (line.isEmpty() || line.startsWith(';') || line.startsWith('#')) {
        return Line::Sound;
    }
    if (line.startsWith('[')) {
        if (line.endsWith(']')) {
            return line.size() > 2 ? Line::Sound : Line::Unreadable;
        }
        // "[Settings" names its section plainly; dropping it would move the keys below it into
        // the section above.
        return line.size() > 1 && !line.contains(']') ? Line::OpenSection : Line::Unreadable;
    }
    const qsizetype equals = line.indexOf('=');
    return equals > 0 && !line.first(equals).trimmed().isEmpty() ? Line::Sound : Line::Unreadable;
}
}  // namespace

Salvage salvage(const QByteArray& bytes) {
    // Editors may start the file with a byte-order mark, which QSettings reads past.
    const QByteArray content = bytes.startsWith("\xEF\xBB\xBF") ? bytes.mid(3) : bytes;
    Salvage result;
    const QList<QByteArray> lines = content.split('\n');
    for (qsizetype i = 0; i < lines.size(); ++i) {
        const QByteArray& line = lines[i];
        switch (classify(line)) {
            case Line::Sound:
                result.content += line;
                break;
            case Line::OpenSection:
                result.content += line.trimmed() + ']';
                ++result.mendedLines;
                break;
            case Line::Unreadable:
                ++result.unreadableLines;
                continue;
        }
        if (i + 1 < lines.size()) {
            result.content += '\n';
        }
    }
    return result;
}

}  // namespace IniFileCheck
