#include "support/SntpResponder.h"

#include <QDateTime>
#include <QTimer>
#include <QtEndian>

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
    const qint64 ntpMs = unixMs + 2208988800LL * 1000;
    const quint64 seconds = quint64(ntpMs / 1000) & 0xFFFFFFFFu;  // era 1 wraps to small values
    const quint64 fraction = (quint64(ntpMs % 1000) << 32) / 1000;
    return (seconds << 32) | fraction;
}

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
    const quint64 now = ntpTimestamp(QDateTime::currentMSecsSinceEpoch() + offsetMs);
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
        const auto sendAll = [this, replies, sender, senderPort] {
            for (const QByteArray& datagram : replies) {
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
