#pragma once

#include <QString>

// The alert balloon as the threshold monitor drives it. A balloon the user closes is reported to
// ThresholdMonitor::balloonClosed() by whoever owns the view; a close asked for here is not.
class AlertBalloon {
public:
    virtual ~AlertBalloon() = default;

    // Shows a new balloon whose tail points at (x, y) in twips; returns its identifier.
    virtual int show(const QString& text, int xTwips, int yTwips) = 0;
    virtual void setText(int id, const QString& text) = 0;
    virtual void close(int id) = 0;
};
