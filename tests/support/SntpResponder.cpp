#include "support/SntpResponder.h"

#include <QDateTime>
#include <QElapsedTimer>
#include <QTimer>
#include <QtEndian>
#include <chrono>

SntpResponder::SntpResponder(const QHostAddress& address, quint16 port) {
    answer = [](const QByteArray& request) { return QList<QByteArray>{reply(request)}; };
    socket_.bind(address, port);
    connect(&socket_, &QUdpSocket::readyRead, this, &SntpResponder::readRequests);
}

QString SntpResponder::target() const {
    const QHostAddress address = socket_.localAddress();
    const QString host = address.protocol() == QAbstractSocket::IPv6Protocol
                             ? QLatin1Char('[') + address.toString() + QLatin1Char(']')
                             : address.toString();
    return host + QLatin1Char(':') + QString::number(port());
}

quint64 SntpResponder::ntpTimestamp(qint64 unixMs) {
    return ntpTimestampNs(unixMs * 1000000);
}

quint64 SntpResponder::ntpTimestampNs(qint64 unixNs) {
    const qint64 ntpNs = unixNs + 2208988800LL * 1000000000;
    const quint64 seconds = quint64(ntpNs / 1000000000) & 0xFFFFFFFFu;  // era 1 wraps to small values
    const quint64 fraction = (quint64(ntpNs % 1000000000) << 32) / 1000000000;
    return (seconds << 32) | fraction;
}

namespace {
qint64 utcNowNs() {
    return std::chrono::duration_cast<std::chrono::nanoseconds>(
               std::chrono::system_clock::now().time_since_epoch())
        .count();
}
}  // namespace

void SntpResponder::setTimestamp(QByteArray& datagram, int offset, quint64 timestamp) {
    qToBigEndian(timestamp, datagram.data() + offset);
}

QByteArray SntpResponder::reply(const QByteArray& request, qint64 offsetMs) {
    QByteArray datagram(48, '\0');
    datagram[0] = char((0 << 6) | (4 << 3) | 4);  // no leap warning, version 4, server
    datagram[1] = 2;                              // stratum
    datagram[2] = 6;                              // poll
    datagram[3] = char(-20);                      // precision
    datagram.replace(12, 4, "LOCL");
    const quint64 now = ntpTimestampNs(utcNowNs() + offsetMs * 1000000);
    setTimestamp(datagram, 16, now);
    if (request.size() >= 48) {
        datagram.replace(24, 8, request.mid(40, 8));  // originate: the client's transmit time
    }
    setTimestamp(datagram, 32, now);
    setTimestamp(datagram, 40, now);
    return datagram;
}

void SntpResponder::readRequests() {
    while (socket_.hasPendingDatagrams()) {
        const qint64 size = socket_.pendingDatagramSize();
        QByteArray request(qMax<qint64>(size, 1), '\0');
        QHostAddress sender;
        quint16 senderPort = 0;
        const qint64 read = socket_.readDatagram(request.data(), request.size(), &sender, &senderPort);
        if (read < 0) {
            continue;
        }
        request.truncate(read);
        requests << request;
        const QList<QByteArray> replies = answer(request);
        QElapsedTimer held;
        held.start();
        const auto sendAll = [this, replies, sender, senderPort, held] {
            for (QByteArray datagram : replies) {
                if (stampsWhenSent && datagram.size() >= 48) {
                    const quint64 made = qFromBigEndian<quint64>(datagram.constData() + 40);
                    const auto heldFor = quint64((__int128(held.nsecsElapsed()) << 32) / 1000000000);
                    setTimestamp(datagram, 40, made + heldFor);
                }
                socket_.writeDatagram(datagram, sender, senderPort);
            }
        };
        if (delayMs > 0) {
            QTimer::singleShot(delayMs, this, sendAll);
        } else {
            sendAll();
        }
    }
}
