#pragma once

#include <QObject>
#include <QTimer>
#include <functional>

// A refresh rhythm that follows the monitor window's sampling while the window is open. Each time
// the window has just sampled, follow() ticks at once, in the same wake-up, and the timer then
// waits a full interval and a little more, so the window's next sample always comes first. Closed,
// the window stops calling and the timer's own rhythm carries on alone.
class FollowingTimer : public QObject {
    Q_OBJECT

public:
    static constexpr int kSlackMs = 250;  // well beyond the timers' own few per cent

    FollowingTimer(int intervalMs, std::function<void()> tick, QObject* parent = nullptr);

    void start() { timer_.start(ownInterval_); }
    void stop() { timer_.stop(); }
    bool isActive() const { return timer_.isActive(); }
    int interval() const { return ownInterval_; }
    void setInterval(int intervalMs);
    void follow();

private:
    void tick();

    QTimer timer_;
    int ownInterval_;
    std::function<void()> tick_;
};
