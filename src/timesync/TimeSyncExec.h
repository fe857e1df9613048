#pragma once

#include "platform/ClockSetter.h"
#include "settings/AppSettings.h"
#include "settings/LiveOptions.h"
#include "settings/SharedSettingsState.h"
#include "settings/TrayMenuState.h"
#include "timesync/HostLookup.h"
#include "timesync/OptionsDialogLink.h"
#include "timesync/SntpClient.h"
#include "timesync/TimeServerTable.h"

#include <QDialog>
#include <QTimer>
#include <functional>
#include <memory>

class QLabel;
class QPushButton;
class QStatusBar;
class QTreeWidget;

// Every interval of the dialog; shortened only by tests.
struct TimeSyncTimings {
    int tickMs = 1000;        // timOutClient, RetryTimer and timerClose
    int requestTicks = 5;     // a request times out on the fifth tick after sending
    int retrySeconds = 10;    // auto-retry countdown after a failure
    int closeCountdown = 11;  // the panel shows 10 .. 1, then "Closing now"
};

// Everything the dialog works with that lives outside it.
struct TimeSyncLinks {
    AppSettings& settings;
    TrayMenuState& menuState;  // mnuSync disabled while open; mnuOptions tells the Options dialog is open
    const SharedSettingsState& sharedState;  // currentServerHost
    TimeServerTable& table;
    ClockSetter& clockSetter;
    HostLookup& hostLookup;
    std::function<void(int page)> showOptionsDialog;
    OptionsDialogLink* optionsDialog = nullptr;  // the open Options dialog, when it is
    std::function<QSize()> workAreaTwips;        // width and height of the work area
    // Where servers of the built-in list answer; tests point it at a loopback responder.
    quint16 listedServerPort = SntpTarget::kDefaultPort;
    // The program's message box (text, style, title) -> result code; asks before a large change.
    std::function<int(const QString&, int, const QString&)> messageBox;
};

// What the window asks of the program around it.
class TimeSyncHost {
public:
    virtual ~TimeSyncHost() = default;

    virtual void showOptionsDialog(int page) = 0;
    virtual int showMessageBox(const QString& text, int style, const QString& title) = 0;
};

// The synchronisation window: one exchange with the selected time server, shown as an event log;
// retries every 10 seconds after a failure until closed, and closes itself 10 seconds after a
// success. Not modal; deletes itself when closed.
class TimeSyncExec : public QDialog {
    Q_OBJECT

public:
    // For the program: its live options, the built-in table, the real clock setter or, with
    // `dryRun`, one that never touches the clock.
    TimeSyncExec(LiveOptions live, TimeSyncHost& host, bool dryRun,
                 OptionsDialogLink* optionsDialog = nullptr, QWidget* parent = nullptr);
    TimeSyncExec(const TimeSyncLinks& links, const TimeSyncTimings& timings, QWidget* parent = nullptr);
    ~TimeSyncExec() override;

    void LogLine(const QString& text);
    void StartSyncSession();

    QStringList logLines() const;
    ClockSetter& clockSetter() const { return links_.clockSetter; }
    QString statusText() const;

    // Where the dialog goes when no position was saved, in twips.
    static QPoint defaultPositionTwips(const QSize& dialogTwips, const QSize& workAreaTwips,
                                       const OptionsDialogLink* openOptionsDialog);

protected:
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    struct Owned;
    TimeSyncExec(std::unique_ptr<Owned> owned, LiveOptions live, TimeSyncHost& host,
                 OptionsDialogLink* optionsDialog, QWidget* parent);

    void buildControls();
    void load();
    void OnSyncFailed(const QString& protocol, quint16 remotePort);
    void OnSyncSucceeded(bool clockChanged);
    bool confirmLargeChange(qint64 differenceMs, const QDateTime& serverTime);
    void onAttemptStopped();
    void retryCountdownStep();
    void closeCountdownStep();
    void retryButton_Click();
    void settingsButton_Click();
    void showRetryButtons(bool shown);
    void setBusyPointer(bool busy);
    bool optionsDialogOpen() const;
    void finishClosing();

    std::unique_ptr<Owned> owned_;  // the program's setter, resolver and work area; none in tests
    TimeSyncLinks links_;
    TimeSyncTimings timings_;
    SntpClient client_;

    QLabel* Label1 = nullptr;
    QTreeWidget* SyncLog = nullptr;
    QStatusBar* StatusBar = nullptr;
    QLabel* statusPanel = nullptr;
    QPushButton* cancelButton = nullptr;
    QPushButton* retryButton = nullptr;
    QPushButton* settingsButton = nullptr;
    QTimer RetryTimer;
    QTimer timerClose;

    bool pendingStart = false;
    qint16 retryCountdown = 0;
    qint16 closeCountdown = 0;
    bool busyPointer_ = false;
    bool closed_ = false;
};
