#include "platform/linux/LinuxClockSetter.h"

#include <QDBusMessage>
#include <QDBusPendingCallWatcher>
#include <QDBusPendingReply>
#include <QPointer>
#include <QTimer>
#include <cerrno>
#include <cstring>
#include <ctime>
#include <limits>
#include <memory>

namespace {
const QString kService = QStringLiteral("org.freedesktop.timedate1");
const QString kPath = QStringLiteral("/org/freedesktop/timedate1");
constexpr int kDefaultAnswerTimeoutMs = 120000;  // a password prompt may stay open a while; then we say so

// Calls to the time service still unanswered, across every setter of the process: a dialog that
// was closed leaves its call behind, and a second relative change would move the clock twice.
int pendingServiceCalls = 0;

bool serviceAbsent(const QString& errorName) {
    return errorName == QLatin1String("org.freedesktop.DBus.Error.ServiceUnknown") ||
           errorName == QLatin1String("org.freedesktop.DBus.Error.NameHasNoOwner") ||
           errorName == QLatin1String("org.freedesktop.DBus.Error.Disconnected") ||
           errorName.startsWith(QLatin1String("org.freedesktop.DBus.Error.Spawn."));
}
}  // namespace

LinuxClockSetter::LinuxClockSetter()
    : LinuxClockSetter(QDBusConnection::systemBus(), &LinuxClockSetter::stepRealtimeClock,
                       kDefaultAnswerTimeoutMs) {}

LinuxClockSetter::LinuxClockSetter(const QDBusConnection& bus, DirectSetter direct, int answerTimeoutMs)
    : bus_(bus), direct_(std::move(direct)), answerTimeoutMs_(answerTimeoutMs) {}

void LinuxClockSetter::adjustClock(qint64 offsetMicroseconds, Done done) {
    if (pendingServiceCalls > 0) {
        done({ClockSetResult::Outcome::Failed,
              QStringLiteral("Clock not changed: an earlier change is still waiting for permission")});
        return;
    }
    if (!bus_.isConnected()) {
        adjustDirectly(offsetMicroseconds, done);
        return;
    }
    QDBusMessage call = QDBusMessage::createMethodCall(kService, kPath, kService, QStringLiteral("SetTime"));
    call << QVariant::fromValue(qlonglong(offsetMicroseconds)) << true << true;
    call.setInteractiveAuthorizationAllowed(true);
    // The call itself never times out: the service may still move the clock after any wait of ours,
    // so the guard against a second relative change holds until it answers or the program ends.
    // The watcher outlives this setter, so the count stays right when the dialog goes first.
    auto* watcher = new QDBusPendingCallWatcher(bus_.asyncCall(call, std::numeric_limits<int>::max()));
    ++pendingServiceCalls;
    auto reported = std::make_shared<bool>(false);
    QTimer::singleShot(answerTimeoutMs_, this,
                       [watcher = QPointer<QDBusPendingCallWatcher>(watcher), reported, done] {
                           if (watcher && !*reported) {
                               *reported = true;
                               done({ClockSetResult::Outcome::Failed,
                                     refusalText(QStringLiteral("org.freedesktop.DBus.Error.NoReply"), {})});
                           }
                       });
    connect(watcher, &QDBusPendingCallWatcher::finished, watcher,
            [self = QPointer<LinuxClockSetter>(this), watcher, offsetMicroseconds, reported,
             done = std::move(done)] {
                watcher->deleteLater();
                --pendingServiceCalls;
                if (!self) {
                    return;  // nobody waits for the answer any more
                }
                const bool late = *reported;
                *reported = true;
                const Done& tell = late ? self->lateAnswer_ : done;
                if (!tell) {
                    return;
                }
                const QDBusPendingReply<> reply = *watcher;
                if (!reply.isError()) {
                    tell({ClockSetResult::Outcome::Set, {}});
                    return;
                }
                const QDBusError error = reply.error();
                if (serviceAbsent(error.name()) && !late) {
                    self->adjustDirectly(offsetMicroseconds, tell);
                    return;
                }
                if (serviceAbsent(error.name())) {
                    // Too late to step the clock ourselves: the user was told it did not change.
                    tell({ClockSetResult::Outcome::Failed,
                          QStringLiteral("Clock not changed: the time service went away")});
                    return;
                }
                tell({ClockSetResult::Outcome::Failed, refusalText(error.name(), error.message())});
            });
}

QString LinuxClockSetter::refusalText(const QString& errorName, const QString& errorMessage) {
    if (serviceAbsent(errorName)) {
        return {};
    }
    if (errorName == QLatin1String("org.freedesktop.timedate1.AutomaticTimeSyncEnabled")) {
        return QStringLiteral(
            "Clock not changed: the system synchronises the clock itself (automatic time "
            "synchronization is on)");
    }
    if (errorName == QLatin1String("org.freedesktop.DBus.Error.AccessDenied") ||
        errorName == QLatin1String("org.freedesktop.DBus.Error.InteractiveAuthorizationRequired") ||
        errorName.startsWith(QLatin1String("org.freedesktop.PolicyKit1.Error."))) {
        return QStringLiteral("Clock not changed: permission refused (%1)").arg(errorMessage);
    }
    if (errorName == QLatin1String("org.freedesktop.DBus.Error.NoReply") ||
        errorName == QLatin1String("org.freedesktop.DBus.Error.Timeout")) {
        return QStringLiteral(
            "Clock not changed yet: the time service did not answer (it may still change the clock if "
            "permission is given; no other change is made until it answers)");
    }
    return QStringLiteral("Clock not changed: %1 (%2)").arg(errorMessage, errorName);
}

void LinuxClockSetter::adjustDirectly(qint64 offsetMicroseconds, const Done& done) {
    const int error = direct_(offsetMicroseconds);
    if (error == 0) {
        done({ClockSetResult::Outcome::Set, {}});
    } else if (error == EPERM) {
        done({ClockSetResult::Outcome::Failed,
              QStringLiteral("Clock not changed: no permission to set the system clock (%1)")
                  .arg(QString::fromLocal8Bit(std::strerror(error)))});
    } else {
        done({ClockSetResult::Outcome::Failed,
              QStringLiteral("Clock not changed: %1").arg(QString::fromLocal8Bit(std::strerror(error)))});
    }
}

int LinuxClockSetter::stepRealtimeClock(qint64 offsetMicroseconds) {
    timespec now{};
    if (clock_gettime(CLOCK_REALTIME, &now) != 0) {
        return errno;
    }
    constexpr qint64 kNanosPerSecond = 1000000000;
    const qint64 nanos = qint64(now.tv_nsec) + (offsetMicroseconds % 1000000) * 1000;
    qint64 seconds = qint64(now.tv_sec) + offsetMicroseconds / 1000000 + nanos / kNanosPerSecond;
    qint64 rest = nanos % kNanosPerSecond;
    if (rest < 0) {
        rest += kNanosPerSecond;
        --seconds;
    }
    const timespec target{static_cast<time_t>(seconds), static_cast<long>(rest)};
    return clock_settime(CLOCK_REALTIME, &target) == 0 ? 0 : errno;
}
