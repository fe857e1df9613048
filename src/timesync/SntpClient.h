#pragma once

#include "platform/ClockSetter.h"
#include "timesync/HostLookup.h"
#include "timesync/SntpPacket.h"
#include "timesync/SntpTarget.h"

#include <QDateTime>
#include <QHostAddress>
#include <QLocale>
#include <QObject>
#include <QTimer>
#include <functional>
#include <memory>

class QUdpSocket;

// One SNTP exchange at a time, driven by the event loop: resolve the host, send one request from
// a socket of its own, check the reply, log each step as a line, and move the clock when asked.
// Every attempt ends in exactly one of requestFailed, exchangeStopped and exchangeSucceeded,
// unless it is abandoned first.
class SntpClient : public QObject {
    Q_OBJECT

public:
    static constexpr int kProtocolSntp = 1;                      // bits 0 to 7 of the flags
    static constexpr int SNTP_SET_CLOCK = 0x200;                 // set the computer clock from the reply
    static constexpr int kDialogFlags = 66049;                   // SNTP, set the clock, bit 16 (no effect)
    static constexpr int kQueryFlags = 0x10000 | kProtocolSntp;  // SNTP, clock left alone

    struct Timing {
        int tickMs = 1000;     // one count of the time-out
        int requestTicks = 5;  // counts a request waits for its reply
    };
    // Nanoseconds: the wall clock since 1970 UTC, or a monotonic count for the time in flight.
    using NanosecondClock = std::function<qint64()>;
    // Asked before the clock is moved by more than a day; true only when the user agreed. May run
    // a modal dialog.
    using LargeChangeQuestion = std::function<bool(qint64 differenceMs, const QDateTime& serverTime)>;
    static constexpr qint64 kLargeChangeMs = 24LL * 3600 * 1000;

    SntpClient(ClockSetter& clockSetter, HostLookup& hostLookup, QObject* parent = nullptr);
    ~SntpClient() override;

    void setTiming(const Timing& timing) { timing_ = timing; }
    void setWallClock(NanosecondClock clock) { wallClock_ = std::move(clock); }
    void setMonotonicClock(NanosecondClock clock) { monotonicClock_ = std::move(clock); }
    void setLocale(const QLocale& locale) { locale_ = locale; }
    // A server date before this one cannot be right; the program's build date unless tests say.
    void setEarliestDate(const QDate& date) { earliestDate_ = date; }
    // Without a question, a change of more than a day is never made.
    void setLargeChangeQuestion(LargeChangeQuestion question) { largeChangeQuestion_ = std::move(question); }
    // Told the host name of a server whose reply is about to set the clock.
    void setClockServerRecorder(std::function<void(const QString&)> recorder) {
        clockServerRecorder_ = std::move(recorder);
    }

    void SendSntpRequest(const SntpTarget& target, int flags);
    // Drops the attempt in progress: its socket closes and no signal follows for it.
    void abandon();
    bool busy() const { return state_ != State::Idle; }

    // Handles one datagram that arrived for the request in flight, `elapsedNs` after it was sent.
    // The socket's handler calls it; public so the handling can be measured on its own.
    void processDatagram(const QByteArray& datagram, const QHostAddress& sender, quint16 senderPort,
                         qint64 elapsedNs);

Q_SIGNALS:
    void lineLogged(const QString& line);
    // The send failed or no reply came in time: another attempt may help.
    void requestFailed(const QString& protocol, quint16 remotePort);
    // A stopping line ended the attempt (unresolvable host, bad reply, clock refused).
    void exchangeStopped();
    // A valid reply was handled; `clockChanged` tells whether the clock was moved.
    void exchangeSucceeded(bool clockChanged);
    // What a valid reply taught about the server at `index` of the built-in table (-1: none); the
    // round trip leaves out the time the server held the request.
    void serverAnswered(int index, int stratum, qint64 roundTripMs);

private:
    enum class State { Idle, Resolving, Waiting, SettingClock };
    struct Request {
        QUdpSocket* socket = nullptr;
        QHostAddress address;
        quint16 port = 0;
        quint64 transmit = 0;
        qint64 sentWallNs = 0;       // T1 on the wall clock
        qint64 sentMonotonicNs = 0;  // the same moment on the monotonic clock
        int ticksLeft = 0;
        int flags = 0;
        int index = -1;
    };

    void send(const SntpTarget& target, const QHostAddress& address, int flags);
    void readDatagrams();
    void countDown();
    void handleOwnReply(const Request& request, const SntpPacket::Reply& reply, qint64 elapsedNs);
    void setClock(qint64 offsetUs);
    void finishRequest();
    void log(const QString& line) { Q_EMIT lineLogged(line); }

    ClockSetter& clockSetter_;
    HostLookup& hostLookup_;
    Timing timing_;
    NanosecondClock wallClock_;
    NanosecondClock monotonicClock_;
    QLocale locale_;
    QDate earliestDate_;
    LargeChangeQuestion largeChangeQuestion_;
    std::function<void(const QString&)> clockServerRecorder_;
    QTimer timOutClient;
    State state_ = State::Idle;
    quint64 attempt_ = 0;  // tells a late answer of an abandoned attempt from the current one
    std::unique_ptr<Request> request_;
};
