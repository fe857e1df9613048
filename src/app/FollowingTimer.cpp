#include "app/FollowingTimer.h"

FollowingTimer::FollowingTimer(int intervalMs, std::function<void()> tick, QObject* parent)
    : QObject(parent), ownInterval_(intervalMs), tick_(std::move(tick)) {
    timer.setInterval(intervalMs);
    connect(&timer, &QTimer::timeout, this, &FollowingTimer::tick);
}

void FollowingTimer::tick() {
    if (timer.interval() != ownInterval_) {
        timer.start(ownInterval_);  // a tick of its own: back to its own rhythm
    }
    tick_();
}

void FollowingTimer::setInterval(int intervalMs) {
    ownInterval_ = intervalMs;
    timer.setInterval(intervalMs);
}

void FollowingTimer::follow() {
    if (!timer.isActive()) {
        return;
    }
    timer.start(ownInterval_ + kSlackMs);
    tick_();
}
