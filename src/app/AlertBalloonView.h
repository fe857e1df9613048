#pragma once

#include "app/AlertBalloon.h"
#include "widgets/Balloon.h"

#include <QObject>

// The threshold alert on screen: one Balloon with a fixed-pitch text, so the dotted columns line
// up, whose tail points at a position given in twips.
class AlertBalloonView : public QObject, public AlertBalloon {
    Q_OBJECT

public:
    explicit AlertBalloonView(QObject* parent = nullptr);
    ~AlertBalloonView() override;

    void setTitle(const QString& title) { balloon_->setTitle(title); }

    int show(const QString& text, int xTwips, int yTwips) override;
    void setText(int id, const QString& text) override;
    void close(int id) override;

    Balloon& balloon() { return *balloon_; }

Q_SIGNALS:
    // The user closed the balloon (connect to ThresholdMonitor::balloonClosed).
    void userClosed();

private:
    Balloon* balloon_;
    int currentId_ = -1;
    int nextId_ = 0;
};
