#pragma once

#include <QObject>
#include <QString>
#include <functional>
#include <memory>

// What became of a request to move the system clock.
struct ClockSetResult {
    enum class Outcome {
        Set,         // the clock was moved
        NotChanged,  // deliberately left alone (dry run); the exchange still counts as done
        Failed,      // refused or impossible; `message` says why
    };
    Outcome outcome = Outcome::Failed;
    QString message;  // one log line; empty when the clock was set

    bool clockUntouched() const { return outcome != Outcome::Set; }
};

// Moves the system clock. The move is relative so that a slow answer (a password prompt, say)
// does not make it stale. `done` runs exactly once, on the caller's thread, possibly later.
class ClockSetter {
public:
    using Done = std::function<void(const ClockSetResult&)>;

    virtual ~ClockSetter() = default;
    virtual void adjustClock(qint64 offsetMicroseconds, Done done) = 0;

    // Told of the real outcome of a change whose `done` already said that no answer came in time,
    // when that answer comes while this setter still exists.
    void setLateAnswerHandler(Done handler) { lateAnswer_ = std::move(handler); }

protected:
    Done lateAnswer_;
};

// The setter the program uses: the real one, or one that never touches the clock.
std::unique_ptr<ClockSetter> makeClockSetter(bool dryRun);
