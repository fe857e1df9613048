#pragma once

#include "settings/LiveOptions.h"
#include "stats/SysInfo.h"
#include "stats/SystemInfoModule.h"
#include "widgets/Balloon.h"

#include <QList>
#include <QTimer>
#include <QWidget>
#include <memory>

class ActivityRows;
class AppSettings;
class CMemState;
class CpuMeter;
class LevelBar;
class QLabel;

// In a namespace: Qt's GUI headers declare X11's Display type globally.
namespace monitor {

// The system monitor window: one row per selected statistic, a caption and a level bar refreshed
// every 900 ms, detail balloons over the bars, a remembered place and an optional translucency
// while the pointer is elsewhere. Closing it unloads it (the object deletes itself).
class Display : public QWidget {
    Q_OBJECT

public:
    static constexpr qint16 kNone = 99;

    // `previousRowCount` outlives the window: the row count when it was last placed, so that a
    // window that grew at the bottom of the screen is pulled back inside it.
    Display(LiveOptions live, bool isNT, SystemInfoModule& stats, qint16& previousRowCount,
            QWidget* parent = nullptr);
    ~Display() override;

    // Builds the rows, places the window, refreshes it once and shows it. False when there was no
    // row to show: the window has then closed itself.
    bool load();

    void DeleteBalloon();
    // The tray's transparency switch changed while the window is open.
    void setTransparent(bool on, int alpha);

    // Handlers of the window's timers and events, public so tests can drive them step by step.
    void Timer1_Timer();  // refresh the values
    void Timer2_Timer();  // balloon delay
    void Timer3_Timer();  // balloon watch
    // Translucency: opaque while the pointer is over the window, on enter, leave, show, move and
    // resize; Timer4 repeats it only while the pointer is on the frame.
    void checkPointer();
    void StatBar_MouseMove(int row);
    void CancelBalloon();
    void RebuildDriveRows();  // after a change of the mounted filesystems

    int rowCount() const { return int(StatText.size()); }
    // The item a row shows: 0..7, or 8 + k for the k-th extra drive; -1 for none.
    int itemOfRow(int row) const;
    int windowHeightTwips() const;
    SysInfo& sysInfo() { return sysInfo_; }
    Balloon& balloon() { return *balloon_; }

Q_SIGNALS:
    // The values were just read and shown: others that sample on a timer may join this wake-up.
    void sampled();

public:
    QList<QLabel*> StatText;
    QList<LevelBar*> StatBar;
    QTimer Timer1;
    QTimer Timer2;
    QTimer Timer3;
    QTimer Timer4;

    QList<qint16> rowOfItem;
    qint16 nextRow = 0;
    qint16 lastRow = kNone;
    QList<FixedDrive> windowDrives;
    qint16 shownDriveCount = 0;
    qint16 hoveredRow = kNone;
    qint16 balloonRow = kNone;
    qint16 balloonId = -1;
    bool InsideBorder = false;

protected:
    void keyReleaseEvent(QKeyEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void enterEvent(QEnterEvent* event) override;
    void leaveEvent(QEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void moveEvent(QMoveEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void changeEvent(QEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // A row with a level bar, or with the bar given (the window takes it over).
    void addRow(const QString& caption, LevelBar* bar = nullptr);
    void removeLastRow();
    int barLeft() const;
    int widestCaption() const;
    void setDriveTooltip(int row, const QString& mountPoint);
    void fitHeight();
    void place();
    void keepInsideWorkArea();
    void applyOnTop();
    void applyTranslucency();
    void showDetails(const QString& title, const QString& text);
    bool balloonContents(int item, QString& title, QString& text);
    QString rootOfItem(int item) const;
    bool shown(int item) const;
    bool driveShown(QChar letter) const;
    void unload();

    LiveOptions live_;
    AppSettings& settings_;
    bool isNT_;
    qint16& previousRowCount_;
    SystemInfoModule& stats_;
    SysInfo sysInfo_;
    std::unique_ptr<CpuMeter> cpuMeter_;
    std::unique_ptr<CMemState> memState_;
    std::unique_ptr<ActivityRows> activityRows_;
    Balloon* balloon_;
    qint16 nextBalloonId_ = 0;
    int captionWidth_ = 0;
    bool placed_ = false;
    bool restsOnWorkAreaBottom_ = false;
    bool pulledOntoScreen_ = false;  // a stored place off every screen, pulled on before the frame was known
    int placedHeightTwips_ = 0;
    int placedLeftPixels_ = 0;
    bool unloaded_ = false;
    bool loaded_ = false;          // load() has shown the window and started the refresh
    bool followsPointer_ = false;  // the transparency switch is on
};

}  // namespace monitor
