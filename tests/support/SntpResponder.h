#pragma once

#include <QByteArray>
#include <QHostAddress>
#include <QList>
#include <QObject>
#include <QUdpSocket>
#include <functional>

// A small SNTP server on a loopback port of its own, for the odd replies real servers rarely
// give. Each request is answered by `answer`: every datagram it returns is sent back, after
// `delayMs`. The default answer is a valid stratum-2 reply with the current time.
class SntpResponder : public QObject {
    Q_OBJECT

public:
    using Answer = std::function<QList<QByteArray>(const QByteArray& request)>;

    explicit SntpResponder(const QHostAddress& address = QHostAddress(QHostAddress::LocalHost),
                           quint16 port = 0);

    quint16 port() const { return socket_.localPort(); }
    bool listening() const { return socket_.state() == QAbstractSocket::BoundState; }
    QString target() const;  // "127.0.0.1:port" or "[::1]:port"

    Answer answer;
    int delayMs = 0;
    // A busy server: the transmit time of a delayed answer says when it left, not when it was made.
    bool stampsWhenSent = false;
    QList<QByteArray> requests;

    // A valid reply to `request` whose receive and transmit timestamps are now + offsetMs.
    static QByteArray reply(const QByteArray& request, qint64 offsetMs = 0);
    // The NTP timestamp of a moment given in milliseconds or nanoseconds since 1970 (era 0 or 1 as
    // the date needs).
    static quint64 ntpTimestamp(qint64 unixMs);
    static quint64 ntpTimestampNs(qint64 unixNs);
    static void setTimestamp(QByteArray& datagram, int offset, quint64 timestamp);

private:
    void readRequests();

    QUdpSocket socket_;
};
