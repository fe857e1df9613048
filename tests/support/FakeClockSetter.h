#pragma once

#include "platform/ClockSetter.h"

#include <QList>
#include <QObject>
#include <QTimer>

// Records every requested clock move and answers with a chosen result, at once or after a delay.
// The only setter the test suite ever hands to code that may move the clock.
class FakeClockSetter : public QObject, public ClockSetter {
public:
    void adjustClock(qint64 offsetMicroseconds, Done done) override {
        offsets << offsetMicroseconds;
        if (answerDelayMs < 0) {
            done(result);
            return;
        }
        QTimer::singleShot(answerDelayMs, this, [this, done = std::move(done)] { done(result); });
    }

    QList<qint64> offsets;
    ClockSetResult result{ClockSetResult::Outcome::Set, {}};
    int answerDelayMs = -1;  // < 0: answer before adjustClock returns
};
