#include "app/FollowingTimer.h"

FollowingTimer::FollowingTimer(int intervalMs, std::function<void()> tick, QObject* parent)
    : QObject(parent), ownInterval_(intervalMs), tick_(std::move(tick)) {
    timer_.setInterval(intervalMs);
    connect(&timer_, &QTimer::timeout, this, &FollowingTimer::tick);
}

void FollowingTimer::tick() {
    if (timer_.interval() != ownInterval_) {
        timer_.start(ownInterval_);  // a tick of its own: back to its own rhythm
    }
    tick_();
}

void FollowingTimer::setInterval(int intervalMs) {
    ownInterval_ = intervalMs;
    timer_.setInterval(intervalMs);
}

void FollowingTimer::follow() {
    if (!timer_.isActive()) {
        return;
    }
    timer_.start(ownInterval_ + kSlackMs);
    tick_();
}
