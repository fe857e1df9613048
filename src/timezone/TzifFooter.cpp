#include "timezone/TzifFooter.h"

#include <QtEndian>
#include <array>

namespace {

constexpr qint64 kHeaderSize = 44;
constexpr qint64 kMaxFooterLength = 256;

struct Counts {
    qint64 isUtc = 0;
    qint64 isStd = 0;
    qint64 leap = 0;
    qint64 time = 0;
    qint64 type = 0;
    qint64 chars = 0;
};

std::optional<Counts> header(const QByteArray& bytes, qint64 at) {
    if (at < 0 || at + kHeaderSize > bytes.size() || bytes.mid(at, 4) != "TZif") {
        return std::nullopt;
    }
    std::array<qint64, 6> values{};
    for (size_t i = 0; i < values.size(); ++i) {
        values[i] = qFromBigEndian<quint32>(bytes.constData() + at + 20 + 4 * qint64(i));
    }
    return Counts{values[0], values[1], values[2], values[3], values[4], values[5]};
}

// Size of a data block: transition times of timeSize bytes, leap records of timeSize + 4 bytes.
qint64 dataSize(const Counts& counts, qint64 timeSize) {
    return counts.time * timeSize + counts.time + counts.type * 6 + counts.chars +
           counts.leap * (timeSize + 4) + counts.isStd + counts.isUtc;
}

}  // namespace

namespace TzifFooter {

std::optional<QString> read(const QByteArray& bytes) {
    const auto first = header(bytes, 0);
    if (!first || bytes.at(4) < '2') {
        return std::nullopt;
    }
    const qint64 secondAt = kHeaderSize + dataSize(*first, 4);
    const auto second = header(bytes, secondAt);
    if (!second) {
        return std::nullopt;
    }
    const qint64 footerAt = secondAt + kHeaderSize + dataSize(*second, 8);
    if (footerAt >= bytes.size() || bytes.at(footerAt) != '\n') {
        return std::nullopt;
    }
    const qsizetype end = bytes.indexOf('\n', footerAt + 1);
    if (end < 0 || end - footerAt - 1 > kMaxFooterLength) {
        return std::nullopt;
    }
    return QString::fromLatin1(bytes.mid(footerAt + 1, end - footerAt - 1));
}

}  // namespace TzifFooter
