#include "timesync/SntpPacket.h"

#include <QRandomGenerator>
#include <QtEndian>

namespace SntpPacket {

namespace {
constexpr int kOriginateOffset = 24;
constexpr int kReceiveOffset = 32;
constexpr int kTransmitOffset = 40;

quint64 timestampAt(const QByteArray& datagram, int offset) {
    return qFromBigEndian<quint64>(datagram.constData() + offset);
}
}  // namespace

QByteArray request(quint64 transmit) {
    QByteArray datagram(kSize, '\0');
    datagram[0] = kRequestHeader;
    qToBigEndian(transmit, datagram.data() + kTransmitOffset);
    return datagram;
}

quint64 randomTransmitTimestamp() {
    quint64 value = 0;
    while (value == 0) {
        value = QRandomGenerator::system()->generate64();
    }
    return value;
}

std::optional<Reply> parse(const QByteArray& datagram) {
    if (datagram.size() != kSize) {
        return std::nullopt;
    }
    const auto header = static_cast<quint8>(datagram.at(0));
    Reply reply;
    reply.leapIndicator = header >> 6;
    reply.version = (header >> 3) & 0x07;
    reply.mode = header & 0x07;
    reply.stratum = static_cast<quint8>(datagram.at(1));
    reply.referenceId = datagram.mid(12, 4);
    reply.originate = timestampAt(datagram, kOriginateOffset);
    reply.receive = timestampAt(datagram, kReceiveOffset);
    reply.transmit = timestampAt(datagram, kTransmitOffset);
    return reply;
}

QString kissCode(const QByteArray& referenceId) {
    QString code;
    for (const char byte : referenceId) {
        code += (byte >= 0x21 && byte <= 0x7E) ? QLatin1Char(byte) : QLatin1Char('?');
    }
    return code;
}

std::optional<QString> rejection(const Reply& reply) {
    if (reply.mode != 4) {
        return QStringLiteral("Invalid reply - not a server reply (mode %1)").arg(reply.mode);
    }
    if (reply.version != 3 && reply.version != 4) {
        return QStringLiteral("Invalid reply - unsupported protocol version %1").arg(reply.version);
    }
    // A kiss-o'-death usually also carries leap indicator 3: its code says more, so it comes first.
    if (reply.stratum == 0) {
        return QStringLiteral("Server refused the request (kiss-o'-death code \"%1\")")
            .arg(kissCode(reply.referenceId));
    }
    if (reply.leapIndicator == 3) {
        return QStringLiteral("Invalid reply - the server's clock is not synchronized (leap indicator 3)");
    }
    if (reply.stratum > 15) {
        return QStringLiteral("Invalid reply - the server's clock is not synchronized (stratum %1)")
            .arg(reply.stratum);
    }
    if (reply.transmit == 0) {
        return QStringLiteral("Server returned invalid time (0)");
    }
    return std::nullopt;
}

}  // namespace SntpPacket
