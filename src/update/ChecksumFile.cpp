#include "update/ChecksumFile.h"

#include <QList>
#include <cctype>

namespace ChecksumFile {

namespace {

constexpr int kHexDigits = 64;

bool isHexDigest(const QByteArray& text) {
    if (text.size() != kHexDigits) {
        return false;
    }
    for (const char c : text) {
        if (!std::isxdigit(static_cast<unsigned char>(c))) {
            return false;
        }
    }
    return true;
}

}  // namespace

std::optional<QByteArray> expectedSha256(const QByteArray& text, const QString& fileName) {
    for (const QByteArray& rawLine : text.split('\n')) {
        QByteArray line = rawLine.trimmed();
        if (line.startsWith("\xEF\xBB\xBF")) {
            line = line.mid(3);
        }
        const QByteArray digest = line.left(kHexDigits);
        if (!isHexDigest(digest)) {
            continue;
        }
        QByteArray rest = line.mid(kHexDigits);
        if (!rest.isEmpty() && rest.front() != ' ' && rest.front() != '\t') {
            continue;  // a longer run of hex digits is no digest
        }
        rest = rest.trimmed();
        if (rest.startsWith('*')) {
            rest = rest.mid(1);
        }
        if (rest.isEmpty() || QString::fromUtf8(rest).compare(fileName, Qt::CaseInsensitive) == 0) {
            return QByteArray::fromHex(digest);
        }
    }
    return std::nullopt;
}

}  // namespace ChecksumFile
