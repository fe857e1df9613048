#pragma once

#include "stats/SystemInfoModule.h"

#include <QList>
#include <QWidget>

class QGridLayout;
class QLabel;

// Page "System": read-only facts about the machine, one row per fact and per extra drive.
class OptionsSystemPage : public QWidget {
    Q_OBJECT

public:
    explicit OptionsSystemPage(QWidget* parent = nullptr);

    // Processor, processor count, operating system and kernel: known before the dialog shows.
    void fillMachineFacts(SystemInfoModule& stats);
    // Memory totals, screen resolution and the size of "/": filled when the dialog first shows.
    void fillSizes(SystemInfoModule& stats);
    // Rows 7 and up, one per extra drive; earlier extra rows are removed.
    void setExtraDrives(SystemInfoModule& stats, const QList<FixedDrive>& drives);

    QList<QLabel*> SystemText;
    QList<QLabel*> SystemInfo;
    QLabel* WinVersion = nullptr;

private:
    void addRow(const QString& caption);

    QGridLayout* grid_ = nullptr;
};
