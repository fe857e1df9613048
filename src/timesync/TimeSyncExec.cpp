#include "timesync/TimeSyncExec.h"

#include "platform/RoundHalfToEven.h"
#include "settings/SettingsConversions.h"
#include "stats/SysInfo.h"
#include "timesync/SntpRecordUpdate.h"
#include "timesync/TimeSync.h"
#include "widgets/EscapeReleaseCloser.h"
#include "widgets/MessageBoxCodes.h"
#include "widgets/MessageBoxLayout.h"
#include "widgets/WindowDrag.h"

#include <QApplication>
#include <QCloseEvent>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QStatusBar>
#include <QTreeWidget>
#include <QVBoxLayout>
#include <cmath>

namespace {
constexpr int kLogColumnTwips = 5205;
constexpr int kTimeSyncPage = 3;  // "Time Sync" of the Options dialog
constexpr int kWorkAreaMarginTwips = 30;

int twipsX() {
    return SysInfo::twipsPerPixelX();
}
int twipsY() {
    return SysInfo::twipsPerPixelY();
}
}  // namespace

struct TimeSyncExec::Owned {
    explicit Owned(bool dryRun) : clockSetter(makeClockSetter(dryRun)) {}

    std::unique_ptr<ClockSetter> clockSetter;
    SystemHostLookup hostLookup;
    SysInfo sysInfo;

    QSize workAreaTwips() const {
        QSize area(sysInfo.WorkAreaWidth(), sysInfo.WorkAreaHeight());
        if (area.isEmpty()) {
            if (const QScreen* screen = QGuiApplication::primaryScreen()) {
                const QRect available = screen->availableGeometry();
                area = QSize((available.x() + available.width()) * twipsX(),
                             (available.y() + available.height()) * twipsY());
            }
        }
        return area;
    }
};

TimeSyncExec::TimeSyncExec(LiveOptions live, TimeSyncHost& host, bool dryRun,
                           OptionsDialogLink* optionsDialog, QWidget* parent)
    : TimeSyncExec(std::make_unique<Owned>(dryRun), live, host, optionsDialog, parent) {}

TimeSyncExec::TimeSyncExec(std::unique_ptr<Owned> owned, LiveOptions live, TimeSyncHost& host,
                           OptionsDialogLink* optionsDialog, QWidget* parent)
    : QDialog(parent),
      owned_(std::move(owned)),
      links_{live.settings,
             live.items,
             live.shared,
             timeServerTable(),
             *owned_->clockSetter,
             owned_->hostLookup,
             [&host](int page) { host.showOptionsDialog(page); },
             optionsDialog,
             [owned = owned_.get()] { return owned->workAreaTwips(); },
             SntpTarget::kDefaultPort,
             [&host](const QString& text, int style, const QString& title) {
                 return host.showMessageBox(text, style, title);
             }},
      client_(links_.clockSetter, links_.hostLookup) {
    buildControls();
    load();
}

TimeSyncExec::TimeSyncExec(const TimeSyncLinks& links, const TimeSyncTimings& timings, QWidget* parent)
    : QDialog(parent), links_(links), timings_(timings), client_(links_.clockSetter, links_.hostLookup) {
    buildControls();
    load();
}

TimeSyncExec::~TimeSyncExec() {
    finishClosing();
}

void TimeSyncExec::buildControls() {
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowTitle(QStringLiteral(" Quorvane"));
    setModal(false);
    new EscapeReleaseCloser(this);
    new WindowDrag(this);  // by its body and the title label

    Label1 = new QLabel(QStringLiteral("Quorvane - Time Synchronization"), this);
    Label1->setObjectName(QStringLiteral("Label1"));
    QFont titleFont = Label1->font();
    titleFont.setBold(true);
    Label1->setFont(titleFont);

    SyncLog = new QTreeWidget(this);
    SyncLog->setObjectName(QStringLiteral("SyncLog"));
    SyncLog->setRootIsDecorated(false);
    SyncLog->setColumnCount(1);
    SyncLog->setHeaderLabels({QStringLiteral("Event Log")});
    SyncLog->header()->setStretchLastSection(false);
    SyncLog->setColumnWidth(0, kLogColumnTwips / twipsX());
    SyncLog->setTextElideMode(Qt::ElideNone);  // long lines scroll sideways instead
    SyncLog->setMinimumWidth(kLogColumnTwips / twipsX() + 6);
    SyncLog->setMinimumHeight(12 * fontMetrics().height());
    SyncLog->installEventFilter(this);

    StatusBar = new QStatusBar(this);
    StatusBar->setObjectName(QStringLiteral("StatusBar"));
    StatusBar->setSizeGripEnabled(false);
    statusPanel = new QLabel(StatusBar);
    statusPanel->setObjectName(QStringLiteral("statusPanel"));
    StatusBar->addWidget(statusPanel, 1);

    retryButton = new QPushButton(QStringLiteral("&Retry"), this);
    retryButton->setObjectName(QStringLiteral("retryButton"));
    settingsButton = new QPushButton(QStringLiteral("&Settings"), this);
    settingsButton->setObjectName(QStringLiteral("settingsButton"));
    cancelButton = new QPushButton(QStringLiteral("Cancel"), this);
    cancelButton->setObjectName(QStringLiteral("cancelButton"));
    cancelButton->setDefault(true);
    retryButton->setAutoDefault(false);
    settingsButton->setAutoDefault(false);
    connect(retryButton, &QPushButton::clicked, this, &TimeSyncExec::retryButton_Click);
    connect(settingsButton, &QPushButton::clicked, this, &TimeSyncExec::settingsButton_Click);
    connect(cancelButton, &QPushButton::clicked, this, &TimeSyncExec::close);

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(retryButton);
    buttons->addWidget(settingsButton);
    buttons->addStretch(1);
    buttons->addWidget(cancelButton);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(Label1);
    layout->addWidget(SyncLog, 1);
    layout->addLayout(buttons);
    layout->addWidget(StatusBar);
    showRetryButtons(false);

    RetryTimer.setInterval(timings_.tickMs);
    timerClose.setInterval(timings_.tickMs);
    connect(&RetryTimer, &QTimer::timeout, this, &TimeSyncExec::retryCountdownStep);
    connect(&timerClose, &QTimer::timeout, this, &TimeSyncExec::closeCountdownStep);

    client_.setTiming({timings_.tickMs, timings_.requestTicks});
    // An answer of the time service that came after we stopped waiting for it still matters.
    links_.clockSetter.setLateAnswerHandler([this](const ClockSetResult& result) {
        LogLine(QStringLiteral("Late answer of the time service: ") +
                (result.outcome == ClockSetResult::Outcome::Set ? QStringLiteral("the clock was changed")
                                                                : result.message));
    });
    client_.setLargeChangeQuestion([this](qint64 differenceMs, const QDateTime& serverTime) {
        return confirmLargeChange(differenceMs, serverTime);
    });
    client_.setClockServerRecorder(
        [](const QString& host) { synchronisationTimeZone().setSntpServer(host); });
    connect(&client_, &SntpClient::lineLogged, this, &TimeSyncExec::LogLine);
    connect(&client_, &SntpClient::requestFailed, this, &TimeSyncExec::OnSyncFailed);
    connect(&client_, &SntpClient::exchangeStopped, this, &TimeSyncExec::onAttemptStopped);
    connect(&client_, &SntpClient::exchangeSucceeded, this, &TimeSyncExec::OnSyncSucceeded);
    connect(&client_, &SntpClient::serverAnswered, this, [this](int index, int stratum, qint64 roundTripMs) {
        recordSntpAnswer(links_.table, index, stratum, roundTripMs);
    });

    adjustSize();
    setFixedSize(size());
}

QPoint TimeSyncExec::defaultPositionTwips(const QSize& dialogTwips, const QSize& workAreaTwips,
                                          const OptionsDialogLink* openOptionsDialog) {
    if (openOptionsDialog) {
        // Centred over the Options dialog, just below its "Synchronize Now" button.
        const QRect options = openOptionsDialog->geometryTwips();
        const int left =
            int(divideRoundHalfToEven(2LL * options.x() - (dialogTwips.width() - options.width()), 2));
        int top = options.y() + openOptionsDialog->syncNowButtonBottomTwips();
        if (top + dialogTwips.height() + kWorkAreaMarginTwips > workAreaTwips.height()) {
            top = workAreaTwips.height() - dialogTwips.height() - kWorkAreaMarginTwips;
        }
        return {left, top};
    }
    return {int(divideRoundHalfToEven(workAreaTwips.width() - dialogTwips.width(), 2)),
            int(divideRoundHalfToEven(workAreaTwips.height() - dialogTwips.height(), 2))};
}

void TimeSyncExec::load() {
    links_.menuState.mnuSync.enabled = false;

    const QSize dialogTwips(frameGeometry().width() * twipsX(), frameGeometry().height() * twipsY());
    const QSize workArea = links_.workAreaTwips ? links_.workAreaTwips() : QSize();
    OptionsDialogLink* options = optionsDialogOpen() ? links_.optionsDialog : nullptr;
    if (options) {
        options->setSyncNowButtonEnabled(false);
    }
    const QPoint computed = defaultPositionTwips(dialogTwips, workArea, options);

    // A saved position wins; one that would put the window wholly off the work area (a screen
    // since removed, or a hand-edited file) does not.
    const auto stored = [this](const QString& key, int fallback) {
        const auto number = SettingsConversions::toNumber(links_.settings.text(key, fallback));
        return number && std::isfinite(*number) && std::abs(*number) < 1e9 ? int(roundHalfToEven(*number))
                                                                           : fallback;
    };
    QPoint position(stored(QStringLiteral("SyncLeft"), computed.x()),
                    stored(QStringLiteral("SyncTop"), computed.y()));
    const QRect windowTwips(position, dialogTwips);
    if (!workArea.isEmpty() && !windowTwips.intersects(QRect(QPoint(0, 0), workArea))) {
        position = computed;
    }
    move(position.x() / twipsX(), position.y() / twipsY());

    SyncLog->clear();
    pendingStart = true;
}

bool TimeSyncExec::optionsDialogOpen() const {
    return !links_.menuState.mnuOptions.enabled;
}

void TimeSyncExec::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    if (pendingStart) {
        pendingStart = false;
        QTimer::singleShot(0, this, &TimeSyncExec::StartSyncSession);  // after the first paint
    }
}

void TimeSyncExec::LogLine(const QString& text) {
    qsizetype end = text.size();
    while (end > 0 && text.at(end - 1) == QLatin1Char(' ')) {
        --end;
    }
    auto* item = new QTreeWidgetItem(SyncLog, {text.left(end)});
    SyncLog->resizeColumnToContents(0);
    if (SyncLog->columnWidth(0) < kLogColumnTwips / twipsX()) {
        SyncLog->setColumnWidth(0, kLogColumnTwips / twipsX());
    }
    SyncLog->scrollToItem(item);  // ScrollLogToEnd
}

QStringList TimeSyncExec::logLines() const {
    QStringList lines;
    for (int i = 0; i < SyncLog->topLevelItemCount(); ++i) {
        lines << SyncLog->topLevelItem(i)->text(0);
    }
    return lines;
}

QString TimeSyncExec::statusText() const {
    return statusPanel->text();
}

void TimeSyncExec::StartSyncSession() {
    if (closed_) {
        return;
    }
    setBusyPointer(true);
    RetryTimer.stop();
    statusPanel->clear();
    showRetryButtons(false);
    cancelButton->setText(QStringLiteral("Cancel"));
    SyncLog->clear();
    SyncLog->setColumnWidth(0, kLogColumnTwips / twipsX());
    SyncLog->repaint();

    const QString host = links_.sharedState.currentServerHost;
    links_.table.FindTimeServer(host);
    std::optional<SntpTarget> target;
    if (links_.table.currentServerIndex != TimeServerTable::kNotFound && links_.table.currentServer) {
        target = SntpTarget{links_.table.currentServer->HostName(), links_.listedServerPort,
                            links_.table.currentServerIndex};
    } else {
        target = SntpTarget::parse(host);  // a server of the user's own, not in the built-in list
    }
    if (!target) {
        LogLine(QStringLiteral("Connecting to:  ") + host);
        LogLine(QStringLiteral("Could not resolve host name: ") + host);
        onAttemptStopped();
        return;
    }
    client_.SendSntpRequest(*target, SntpClient::kDialogFlags);
}

void TimeSyncExec::OnSyncFailed(const QString& protocol, quint16 remotePort) {
    LogLine(QStringLiteral("ERROR:  The connection has timed out."));
    LogLine(QStringLiteral("First, make sure you're connected to the Internet."));
    LogLine(QStringLiteral("If you are, click on the \"Retry\" button to make another attempt, or"));
    LogLine(QStringLiteral("   click on the \"Settings\" button to switch to a different time server."));
    LogLine(QStringLiteral("If you're using a firewall or other type of Internet filter, make sure"));
    LogLine(QStringLiteral("   the program can access %1 port %2.")
                .arg(protocol == QLatin1String("UDP") ? QStringLiteral("UDP") : QStringLiteral("TCP"))
                .arg(remotePort));
    showRetryButtons(true);
    setBusyPointer(false);
    retryCountdown = qint16(timings_.retrySeconds);
    retryCountdownStep();
}

void TimeSyncExec::retryCountdownStep() {
    if (retryCountdown != 0) {
        if (!RetryTimer.isActive()) {
            RetryTimer.start();
        }
        statusPanel->setText(QStringLiteral("Synchronization auto-retry in %1 seconds").arg(retryCountdown));
        --retryCountdown;
        return;
    }
    RetryTimer.stop();
    statusPanel->clear();
    retryButton_Click();
}

void TimeSyncExec::OnSyncSucceeded(bool clockChanged) {
    showRetryButtons(false);
    cancelButton->setText(QStringLiteral("Close"));
    if (clockChanged) {
        // A dry run moved nothing, so the next synchronisation stays due.
        links_.settings.writeDateTime(QStringLiteral("PreviousAutoSync"), QDateTime::currentDateTime());
    }
    setBusyPointer(false);
    closeCountdown = qint16(timings_.closeCountdown);
    closeCountdownStep();
}

// A reply that would move the clock by more than a day is more likely a broken server than a clock
// that far off: the user decides, and No is the default.
bool TimeSyncExec::confirmLargeChange(qint64 differenceMs, const QDateTime& serverTime) {
    if (!links_.messageBox) {
        return false;
    }
    const QLocale locale;
    const QString days = locale.toString(double(std::abs(differenceMs)) / SntpClient::kLargeChangeMs, 'f', 1);
    const QString text =
        QStringLiteral(
            "The time server's clock is %1 days %2 this computer's clock: it says %3 (UTC).\r\n"
            "Set this computer's clock to that time?")
            .arg(days, differenceMs > 0 ? QStringLiteral("ahead of") : QStringLiteral("behind"),
                 TimeSync::FormatSystemTimeMs(serverTime, locale));
    return links_.messageBox(text, MessageBoxStyles::YesNoWarningDefaultNo,
                             QStringLiteral("Time Synchronization")) == MessageBoxResult::Yes;
}

void TimeSyncExec::closeCountdownStep() {
    if (!timerClose.isActive()) {
        timerClose.start();
    }
    const qint16 before = closeCountdown--;
    if (before == 1) {
        timerClose.stop();
        statusPanel->setText(QStringLiteral("Closing now"));
        StatusBar->repaint();
        QCoreApplication::processEvents();
        close();
        return;
    }
    statusPanel->setText(QStringLiteral("Closing in %1 seconds").arg(closeCountdown));
}

void TimeSyncExec::onAttemptStopped() {
    // A stopping line: nothing more happens until the user closes the window, so the busy
    // pointer goes too.
    setBusyPointer(false);
}

void TimeSyncExec::retryButton_Click() {
    timerClose.stop();
    statusPanel->clear();
    StartSyncSession();
}

void TimeSyncExec::settingsButton_Click() {
    if (links_.showOptionsDialog) {
        links_.showOptionsDialog(kTimeSyncPage);
    }
    QCoreApplication::processEvents();
    close();
}

void TimeSyncExec::showRetryButtons(bool shown) {
    retryButton->setEnabled(shown);
    retryButton->setVisible(shown);
    settingsButton->setEnabled(shown);
    settingsButton->setVisible(shown);
}

void TimeSyncExec::setBusyPointer(bool busy) {
    if (busy == busyPointer_) {
        return;
    }
    busyPointer_ = busy;
    if (busy) {
        QGuiApplication::setOverrideCursor(Qt::WaitCursor);
    } else {
        QGuiApplication::restoreOverrideCursor();
    }
}

void TimeSyncExec::closeEvent(QCloseEvent* event) {
    finishClosing();
    QDialog::closeEvent(event);
}

void TimeSyncExec::finishClosing() {
    if (closed_) {
        return;
    }
    closed_ = true;
    client_.abandon();  // an exchange in progress is dropped: no clock change, no record update
    links_.clockSetter.setLateAnswerHandler({});
    RetryTimer.stop();
    timerClose.stop();
    setBusyPointer(false);
    if (!optionsDialogOpen()) {
        links_.settings.writeInt(QStringLiteral("SyncLeft"), x() * twipsX());
        links_.settings.writeInt(QStringLiteral("SyncTop"), y() * twipsY());
    } else if (links_.optionsDialog) {
        links_.optionsDialog->setSyncNowButtonEnabled(true);
    }
    links_.menuState.mnuSync.enabled = true;
}

bool TimeSyncExec::eventFilter(QObject* watched, QEvent* event) {
    if (watched == SyncLog && event->type() == QEvent::FocusIn) {
        cancelButton->setFocus();
        return false;
    }
    return QDialog::eventFilter(watched, event);
}
