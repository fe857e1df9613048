#pragma once

#include "options/OptionsValues.h"
#include "stats/SystemInfoModule.h"

#include <QList>
#include <QWidget>

class LevelBar;
class NumberBoxEdit;
class QCheckBox;
class QLabel;
class SpinButtons;
struct SharedSettingsState;

// Page "Statistics": one row per statistic and per extra fixed drive, each with its show box, a
// live bar of the current value and the threshold level. Rows keep a fixed pitch of 300 twips.
class OptionsStatisticsPage : public QWidget {
    Q_OBJECT

public:
    struct Row {
        QCheckBox* Check1 = nullptr;
        LevelBar* ProgressBar1 = nullptr;
        NumberBoxEdit* Threshold1 = nullptr;
        SpinButtons* UpDown1 = nullptr;
    };

    explicit OptionsStatisticsPage(QWidget* parent = nullptr);

    static int rowPitchPixels();

    // The three resource rows of the old family have no meaning here: cleared, hidden, explained.
    void withoutResourceRows();
    // Rows 8 and up, one per extra drive; earlier extra rows are removed.
    void setExtraDrives(const QList<FixedDrive>& drives);
    void showBatteryPresence(bool present);
    void showCurrentSettings(const SharedSettingsState& shared, bool resourceRowsShown);
    // The extra drives' rows only.
    void showDriveSettings(const SharedSettingsState& shared);
    void readInto(OptionsValues& values) const;
    // Samples every row once: bars of the fixed items, the battery caption, the drives.
    void refreshStatusBars(SystemInfoModule& stats, CpuMeter* cpuMeter, bool resourceRowsShown);

    const QList<Row>& rows() const { return rows_; }
    QLabel* ResourceMessage = nullptr;

Q_SIGNALS:
    void changed();

private:
    Row addRow(int index, const QString& caption);
    void step(const Row& row, bool up);
    void fitHeight();

    QList<Row> rows_;
    QList<QChar> extraLetters_;
};
