#include "timesync/SntpClient.h"

#include "timesync/BuildDate.h"
#include "timesync/TimeSync.h"
#include "timezone/DateTimeText.h"

#include <QPointer>
#include <QTimeZone>
#include <QUdpSocket>
#include <algorithm>
#include <cstdlib>

SntpClient::SntpClient(ClockSetter& clockSetter, HostLookup& hostLookup, QObject* parent)
    : QObject(parent),
      clockSetter_(clockSetter),
      hostLookup_(hostLookup),
      wallClock_(&TimeSync::utcNanoseconds),
      monotonicClock_(&TimeSync::monotonicNanoseconds),
      earliestDate_(programBuildDate()) {
    connect(&timOutClient, &QTimer::timeout, this, &SntpClient::countDown);
}

SntpClient::~SntpClient() {
    abandon();
}

void SntpClient::SendSntpRequest(const SntpTarget& target, int flags) {
    abandon();
    const quint64 attempt = ++attempt_;
    log(QStringLiteral("Connecting to:  ") + target.displayName());
    state_ = State::Resolving;
    hostLookup_.lookup(target.hostName, this, [this, attempt, target, flags](const QHostAddress& address) {
        if (attempt != attempt_) {
            return;  // abandoned while the name was being looked up
        }
        if (address.isNull()) {
            state_ = State::Idle;
            log(QStringLiteral("Could not resolve host name: ") + target.hostName);
            Q_EMIT exchangeStopped();
            return;
        }
        send(target, address, flags);
    });
}

void SntpClient::send(const SntpTarget& target, const QHostAddress& address, int flags) {
    if ((flags & SNTP_SET_CLOCK) && clockServerRecorder_) {
        clockServerRecorder_(target.hostName);
    }
    request_ = std::make_unique<Request>();
    request_->socket = new QUdpSocket(this);
    request_->address = address;
    request_->port = target.port;
    request_->transmit = SntpPacket::randomTransmitTimestamp();
    request_->ticksLeft = timing_.requestTicks;
    request_->flags = flags;
    request_->index = target.index;
    connect(request_->socket, &QUdpSocket::readyRead, this, &SntpClient::readDatagrams);

    const QHostAddress any = address.protocol() == QAbstractSocket::IPv6Protocol
                                 ? QHostAddress(QHostAddress::AnyIPv6)
                                 : QHostAddress(QHostAddress::AnyIPv4);
    const QByteArray datagram = SntpPacket::request(request_->transmit);
    bool sent = request_->socket->bind(any, 0);
    if (sent) {
        // Taken before the send: on loopback the server may have answered before it returns.
        request_->sentWallNs = wallClock_();
        request_->sentMonotonicNs = monotonicClock_();
        sent = request_->socket->writeDatagram(datagram, address, target.port) == datagram.size();
    }
    if (!sent) {
        const quint16 port = request_->port;
        finishRequest();  // a failed send must not be counted down and reported a second time
        state_ = State::Idle;
        Q_EMIT requestFailed(QStringLiteral("UDP"), port);
        return;
    }
    state_ = State::Waiting;
    timOutClient.start(timing_.tickMs);
}

void SntpClient::readDatagrams() {
    if (!request_) {
        return;
    }
    const qint64 elapsedNs = monotonicClock_() - request_->sentMonotonicNs;
    QUdpSocket* socket = request_->socket;
    while (request_ && request_->socket == socket && socket->hasPendingDatagrams()) {
        const qint64 size = socket->pendingDatagramSize();
        QByteArray datagram(qMax<qint64>(size, 1), '\0');
        QHostAddress sender;
        quint16 senderPort = 0;
        const qint64 read = socket->readDatagram(datagram.data(), datagram.size(), &sender, &senderPort);
        if (read < 0) {
            const QString line =
                QStringLiteral("Error: %1 (%2)").arg(socket->errorString()).arg(int(socket->error()));
            finishRequest();
            state_ = State::Idle;
            log(line);
            Q_EMIT exchangeStopped();
            return;
        }
        datagram.truncate(read);
        processDatagram(datagram, sender, senderPort, elapsedNs);
    }
}

void SntpClient::processDatagram(const QByteArray& datagram, const QHostAddress& sender, quint16 senderPort,
                                 qint64 elapsedNs) {
    if (!request_ || state_ != State::Waiting) {
        return;
    }
    const auto notOurs = [&] {
        log(QStringLiteral("Ignored a reply that is not ours (from %1 port %2)")
                .arg(sender.toString())
                .arg(senderPort));
    };
    if (!sender.isEqual(request_->address, QHostAddress::ConvertV4MappedToIPv4) ||
        senderPort != request_->port) {
        notOurs();
        return;
    }
    const auto reply = SntpPacket::parse(datagram);
    if (reply && reply->originate != request_->transmit) {
        notOurs();  // a stray or forged reply: keep waiting for ours
        return;
    }
    // From here the reply is ours: its request is over, whatever the reply holds, and its
    // time-out count ends before anything below can wait.
    const Request request = *request_;
    finishRequest();
    state_ = State::Idle;
    if (!reply) {
        log(QStringLiteral("Invalid reply - expected %1 bytes, Received %2 bytes")
                .arg(SntpPacket::kSize)
                .arg(datagram.size()));
        Q_EMIT exchangeStopped();
        return;
    }
    handleOwnReply(request, *reply, elapsedNs);
}

void SntpClient::handleOwnReply(const Request& request, const SntpPacket::Reply& reply, qint64 elapsedNs) {
    TimeSync::ExchangeTimes times;
    times.requestSent = request.sentWallNs;
    // T4 from the monotonic clock: a clock set while the request was out does not count.
    times.replyReceived = request.sentWallNs + elapsedNs;
    times.serverSent = TimeSync::NtpTimestampToUnixNanoseconds(reply.transmit);
    // A server that leaves its receive time out is taken to answer at once.
    times.serverReceived =
        reply.receive != 0 ? TimeSync::NtpTimestampToUnixNanoseconds(reply.receive) : times.serverSent;
    // A server that claims to have held the request longer than it was away is not believed
    // about that: no negative round trip.
    const qint64 roundTripMs =
        std::max<qint64>(0, TimeSync::nanosecondsToMilliseconds(TimeSync::roundTripNs(times)));
    const qint64 offsetNs = TimeSync::clockOffsetNs(times);

    const qint64 computerMs = TimeSync::nanosecondsToMilliseconds(times.replyReceived);
    const QDateTime computerTime = QDateTime::fromMSecsSinceEpoch(computerMs, QTimeZone::utc());
    log(QStringLiteral("Response received in: ") + TimeSync::formatRoundTrip(roundTripMs, locale_));
    if (const auto why = SntpPacket::rejection(reply)) {
        log(*why);
        Q_EMIT exchangeStopped();
        return;
    }
    log(QStringLiteral("Computer's current date/time: ") +
        TimeSync::FormatSystemTimeMs(computerTime, locale_));
    const qint64 differenceMs = TimeSync::nanosecondsToMilliseconds(offsetNs);
    const QDateTime serverTime = QDateTime::fromMSecsSinceEpoch(computerMs + differenceMs, QTimeZone::utc());
    log(QStringLiteral("Server's current date/time: ") + TimeSync::FormatSystemTimeMs(serverTime, locale_));
    log(QStringLiteral("Difference/adjustment to computer's clock: ") +
        TimeSync::formatDifference(differenceMs, locale_));
    if (serverTime.date() < earliestDate_) {
        log(QStringLiteral("Invalid reply - the server's date is earlier than this program was built (%1)")
                .arg(locale_.toString(earliestDate_, DateTimeText::dateFormat(locale_))));
        Q_EMIT exchangeStopped();
        return;
    }
    Q_EMIT serverAnswered(request.index, reply.stratum, roundTripMs);

    if (!(request.flags & SNTP_SET_CLOCK)) {
        Q_EMIT exchangeSucceeded(false);
        return;
    }
    state_ = State::SettingClock;
    if (std::abs(differenceMs) > kLargeChangeMs) {
        const quint64 attempt = attempt_;
        QPointer<SntpClient> self(this);
        const bool agreed = largeChangeQuestion_ && largeChangeQuestion_(differenceMs, serverTime);
        if (!self || self->attempt_ != attempt) {
            return;  // abandoned while the question was open
        }
        if (!agreed) {
            state_ = State::Idle;
            log(QStringLiteral(
                "Clock not changed: the difference is more than one day and was not confirmed"));
            Q_EMIT exchangeStopped();
            return;
        }
        log(QStringLiteral("The difference is more than one day: setting the clock as confirmed"));
    }
    setClock(TimeSync::nanosecondsToMicroseconds(offsetNs));
}

void SntpClient::setClock(qint64 offsetUs) {
    const quint64 attempt = attempt_;
    QPointer<SntpClient> self(this);
    clockSetter_.adjustClock(offsetUs, [self, attempt](const ClockSetResult& result) {
        if (!self || self->attempt_ != attempt || self->state_ != State::SettingClock) {
            return;
        }
        self->state_ = State::Idle;
        if (!result.message.isEmpty()) {
            self->log(result.message);
        }
        if (result.outcome == ClockSetResult::Outcome::Failed) {
            Q_EMIT self->exchangeStopped();
        } else {
            Q_EMIT self->exchangeSucceeded(result.outcome == ClockSetResult::Outcome::Set);
        }
    });
}

void SntpClient::countDown() {
    if (!request_) {
        timOutClient.stop();
        return;
    }
    if (--request_->ticksLeft >= 1) {
        return;
    }
    const quint16 port = request_->port;
    finishRequest();
    state_ = State::Idle;
    Q_EMIT requestFailed(QStringLiteral("UDP"), port);
}

void SntpClient::finishRequest() {
    timOutClient.stop();
    if (request_) {
        request_->socket->disconnect(this);
        request_->socket->close();
        request_->socket->deleteLater();  // may be inside its own readyRead
        request_.reset();
    }
}

void SntpClient::abandon() {
    ++attempt_;
    finishRequest();
    state_ = State::Idle;
}
