#pragma once

#include "platform/ClockSetter.h"

#include <QDBusConnection>
#include <QObject>

// Moves the clock through systemd-timedated ("SetTime", relative, interactive so that polkit may
// ask for a password). Only where that service is absent does it step CLOCK_REALTIME itself. A
// refusal is reported with its reason and never retried another way: the service refuses for a
// reason (no permission, or the system's own time synchronisation is on). After `answerTimeoutMs`
// without an answer the caller is told so, but no further change is made until the service answers;
// that late answer goes to the late-answer handler.
class LinuxClockSetter : public QObject, public ClockSetter {
    Q_OBJECT

public:
    // Steps the realtime clock by an offset; returns 0 or an errno value.
    using DirectSetter = std::function<int(qint64 offsetMicroseconds)>;

    LinuxClockSetter();  // the system bus and clock_settime
    LinuxClockSetter(const QDBusConnection& bus, DirectSetter direct, int answerTimeoutMs);

    void adjustClock(qint64 offsetMicroseconds, Done done) override;

    static int stepRealtimeClock(qint64 offsetMicroseconds);
    // The line logged for an error answer of the time service; empty when the service is absent.
    static QString refusalText(const QString& errorName, const QString& errorMessage);

private:
    void adjustDirectly(qint64 offsetMicroseconds, const Done& done);

    QDBusConnection bus_;
    DirectSetter direct_;
    int answerTimeoutMs_;
};
