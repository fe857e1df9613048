#pragma once

#include "app/AlertBalloon.h"
#include "app/Menu.h"
#include "app/ThresholdReadings.h"

#include <QRect>
#include <functional>

// Compares every watched value with its level once a second while monitoring is on, and keeps one
// balloon at the tray icon listing every value beyond its level. Driven by Menu.Timer1.
class ThresholdMonitor : public QObject {
    Q_OBJECT

public:
    struct Screen {
        std::function<QRect()> locateTrayIcon;  // pixels
        std::function<int()> twipsPerPixel;     // horizontal
        std::function<int()> workAreaHeight;    // twips
        std::function<void()> processPendingEvents;
        std::function<void()> raiseMonitorWindow;  // keeps the monitor above the balloon
    };

    ThresholdMonitor(Menu& menu, ThresholdReadings& readings, AlertBalloon& balloon, Screen screen,
                     QObject* parent = nullptr);

    void reset();
    void CheckThresholds();
    void timer1Tick();
    void HideBalloon();
    void balloonClosed();

    // "CPU activity ..........." + dots + " 85%": 30 characters for values up to five characters.
    static QString alertLine(const QString& label, int value);
    static QString label(StatisticItem item);
    static QString driveLabel(QChar letter);

    QString TrayMessage;
    qint16 violationCount = 0;
    qint16 shownViolationCount = 0;
    qint16 balloonId = -1;
    bool replacingBalloon = false;
    qint16 batteryPercent = 0;

private:
    void addViolation(const QString& line);

    Menu& menu_;
    ThresholdReadings& readings_;
    AlertBalloon& balloon_;
    Screen screen_;
};
