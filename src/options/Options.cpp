#include "options/Options.h"

#include "options/NumberBoxEdit.h"
#include "options/OptionsGeneralPage.h"
#include "options/OptionsMorePage.h"
#include "options/OptionsStatisticsPage.h"
#include "options/OptionsSystemPage.h"
#include "options/OptionsTimeSyncPage.h"
#include "platform/RoundHalfToEven.h"
#include "stats/ActivityMeters.h"
#include "stats/SysInfo.h"
#include "timesync/TimeServerTable.h"
#include "widgets/EscapeReleaseCloser.h"
#include "widgets/MessageBoxCodes.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QPushButton>
#include <QScreen>
#include <QTabWidget>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace {
constexpr int kRefreshMs = 900;
}  // namespace

QString Options::noSelectionWarning() {
    return QStringLiteral("Warning:  No statistics were selected for display");
}

QString Options::unsavedChangesQuestion() {
    return QStringLiteral("Program options have changed.\r\nDo you wish to save the changes?\r\n");
}

Options::Options(LiveOptions live, PlatformFacts facts, OptionsHost& host, SystemInfoModule& stats,
                 TimeServerTable& table, QWidget* parent)
    : QDialog(parent),
      live_(live),
      facts_(facts),
      host_(host),
      stats_(stats),
      table_(table),
      commit_(live, host),
      sysInfo_(std::make_unique<SysInfo>()) {
    buildControls();
    load();
}

Options::~Options() {
    // Hidden while whole: the focus leaving a number box reports to the dialog's pages.
    hide();
    unload();
}

void Options::buildControls() {
    setAttribute(Qt::WA_DeleteOnClose);
    setModal(false);
    setWindowTitle(QStringLiteral(" Quorvane Options"));
    setObjectName(QStringLiteral("Options"));
    new EscapeReleaseCloser(this);

    SSTab1 = new QTabWidget(this);
    SSTab1->setObjectName(QStringLiteral("SSTab1"));
    general = new OptionsGeneralPage(SSTab1);
    statistics = new OptionsStatisticsPage(SSTab1);
    system = new OptionsSystemPage(SSTab1);
    timeSync = new OptionsTimeSyncPage(table_, live_.shared, SSTab1);
    SSTab1->addTab(general, QStringLiteral("Options"));
    SSTab1->addTab(statistics, QStringLiteral("Statistics"));
    SSTab1->addTab(system, QStringLiteral("System"));
    SSTab1->addTab(timeSync, QStringLiteral("Time Sync"));
    more = new OptionsMorePage(SSTab1);
    SSTab1->addTab(more, QStringLiteral("More"));

    OKButton = new QPushButton(QStringLiteral("&OK"), this);
    OKButton->setObjectName(QStringLiteral("OKButton"));
    cancelButton = new QPushButton(QStringLiteral("Cancel"), this);
    cancelButton->setObjectName(QStringLiteral("cancelButton"));
    applyButton = new QPushButton(QStringLiteral("&Apply"), this);
    applyButton->setObjectName(QStringLiteral("applyButton"));
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    for (QPushButton* button : {OKButton, cancelButton, applyButton}) {
        button->setAutoDefault(false);  // Enter in a number box must not commit the dialog
        buttons->addWidget(button);
    }
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(SSTab1);
    layout->addLayout(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    Timer1.setInterval(kRefreshMs);
    connect(&Timer1, &QTimer::timeout, this, &Options::Timer1_Timer);
    connect(SSTab1, &QTabWidget::currentChanged, this, &Options::SSTab1_Click);
    connect(general, &OptionsGeneralPage::changed, this, &Options::markChanged);
    connect(statistics, &OptionsStatisticsPage::changed, this, &Options::markChanged);
    connect(timeSync, &OptionsTimeSyncPage::changed, this, &Options::markChanged);
    connect(more, &OptionsMorePage::changed, this, &Options::markChanged);
    connect(timeSync, &OptionsTimeSyncPage::syncNowRequested, this, [this] { host_.startSynchronisation(); });
    connect(applyButton, &QPushButton::clicked, this, &Options::applyButton_Click);
    connect(OKButton, &QPushButton::clicked, this, &Options::OKButton_Click);
    connect(cancelButton, &QPushButton::clicked, this, &Options::cancelButton_Click);
    connect(sysInfo_.get(), &SysInfo::drivesChanged, this, &Options::RebuildDriveRows);
    connect(&live_.general, &GeneralOptions::changed, this, &Options::mirror);
}

bool Options::resourceRowsShown() const {
    return facts_.statsFamily == 95;
}

void Options::load() {
    live_.items.mnuOptions.enabled = false;
    cpuMeter_ = stats_.createCpuMeter(facts_.isNT);
    cpuMeter_->Initialize();
    activityMeters_ = std::make_unique<ActivityMeters>(stats_.sources());
    system->fillMachineFacts(stats_);
    if (!resourceRowsShown()) {
        statistics->withoutResourceRows();
    }
    baseTabHeight_ = SSTab1->sizeHint().height();
    stats_.EnumFixedDrives();
    setDrives(stats_.fixedDrives());
    committedServer_ = live_.shared.currentServerHost;
    timeSync->prepare(live_.items.mnuSyncAtStart.checked, live_.shared.autoSyncDays,
                      live_.items.mnuSync.enabled);

    // Centred across the screen; down from its top when the screen is not tall enough.
    adjustSize();
    if (const QScreen* screen = QGuiApplication::primaryScreen()) {
        const QRect area = screen->geometry();
        const QSize outer = frameGeometry().size();
        const int top = area.height() > outer.height() ? (area.height() - outer.height()) / 2 : 0;
        move(area.x() + (area.width() - outer.width()) / 2, area.y() + top);
    }
    firstActivation_ = true;
}

void Options::setDrives(const QList<FixedDrive>& drives) {
    drives_ = drives;
    statistics->setExtraDrives(drives);
    system->setExtraDrives(stats_, drives);
    fitToRows();
}

void Options::fitToRows() {
    // Every extra drive adds one row pitch to the pages, and so to the dialog.
    SSTab1->setFixedHeight(baseTabHeight_ + int(drives_.size()) * OptionsStatisticsPage::rowPitchPixels());
    adjustSize();
}

void Options::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    if (firstActivation_) {
        firstActivation();
    }
}

void Options::firstActivation() {
    firstActivation_ = false;
    pageSwitchGuard_ = true;
    system->fillSizes(stats_);
    stats_.RefreshSystemStatus();
    statistics->showBatteryPresence(stats_.batteryState().present);
    ShowCurrentSettings();
    applyButton->setEnabled(false);
    validatedOnce_ = false;
    SSTab1->setCurrentIndex(GeneralPage);
    pageSwitchGuard_ = false;
    general->Check0[0]->setFocus();
    Timer1.start();
    Timer1_Timer();
}

void Options::ShowCurrentSettings() {
    SharedSettingsState& shared = live_.shared;
    if (shared.transparentLevel == 0) {
        shared.transparentLevel = 75;
    }
    // The tray item rather than the shared flag: on the first run the dialog opens before start-up
    // has copied the item into the flag, and the two agree at every other time.
    general->showCurrentSettings(live_.items, live_.items.mnuTransparent.checked, facts_.isNT,
                                 shared.transparentLevel);
    statistics->showCurrentSettings(shared, resourceRowsShown());
    more->showCurrentSettings(shared.activity);
}

void Options::selectPage(int page) {
    if (page >= 0 && page < SSTab1->count()) {
        SSTab1->setCurrentIndex(page);
    }
}

int Options::currentPage() const {
    return SSTab1->currentIndex();
}

bool Options::applyEnabled() const {
    return applyButton->isEnabled();
}

void Options::setApplyEnabled(bool enabled) {
    applyButton->setEnabled(enabled);
}

QCheckBox* Options::box(GeneralOption option) const {
    if (option == GeneralOption::SyncAtStart) {
        return timeSync->Check3;
    }
    return general->Check0[size_t(option)];
}

// An option changed outside the dialog (the tray menu): its box follows as if clicked, and
// whether there are changes to apply stays as it was.
void Options::mirror(GeneralOption option, bool on) {
    const bool pending = applyButton->isEnabled();
    box(option)->setChecked(on);
    applyButton->setEnabled(pending);
}

void Options::markChanged() {
    applyButton->setEnabled(true);
}

void Options::SSTab1_Click(int page) {
    if (pageSwitchGuard_) {
        return;
    }
    switch (page) {
        case GeneralPage:
            general->Check0[0]->setFocus();
            break;
        case StatisticsPage:
            statistics->refreshStatusBars(stats_, cpuMeter_.get(), resourceRowsShown());
            statistics->rows().first().Check1->setFocus();
            break;
        case TimeSyncPage:
            timeSync->ServerList->setFocus();
            break;
        case MorePage:
            more->refreshStatusBars(*activityMeters_);
            break;
        default:
            break;
    }
}

void Options::Timer1_Timer() {
    if (!isMinimized() && SSTab1->currentIndex() == StatisticsPage) {
        statistics->refreshStatusBars(stats_, cpuMeter_.get(), resourceRowsShown());
    }
    if (!isMinimized() && SSTab1->currentIndex() == MorePage) {
        more->refreshStatusBars(*activityMeters_);
    }
}

void Options::RebuildDriveRows() {
    pageSwitchGuard_ = true;
    const int page = SSTab1->currentIndex();
    const bool pending = applyButton->isEnabled();
    stats_.invalidateFixedDrives();
    stats_.EnumFixedDrives();
    setDrives(stats_.fixedDrives());
    // New rows start from the running program's choices for their drives.
    statistics->showDriveSettings(live_.shared);
    applyButton->setEnabled(pending);
    SSTab1->setCurrentIndex(page);
    pageSwitchGuard_ = false;
}

OptionsValues Options::currentValues() const {
    OptionsValues values;
    general->readInto(values);
    statistics->readInto(values);
    more->readInto(values.activity);
    values.syncAtStart = timeSync->Check3->isChecked();
    values.syncDays = int(roundHalfToEven(std::clamp(timeSync->SyncDays->value(), -32768.0, 32767.0)));
    return values;
}

bool Options::CheckStatisticsSelected() {
    if (currentValues().anyShown()) {
        return true;
    }
    SSTab1->setCurrentIndex(StatisticsPage);
    statistics->rows().first().Check1->setFocus();
    host_.showMessageBox(noSelectionWarning(), MessageBoxStyles::OkWarning, QString());
    return false;
}

// A server line holding no usable address stops every save, with the page showing why.
bool Options::serverLineAcceptable() {
    if (timeSync->ownServerAcceptable()) {
        return true;
    }
    SSTab1->setCurrentIndex(TimeSyncPage);
    timeSync->showOwnServerProblem();
    return false;
}

void Options::applyButton_Click() {
    if (!serverLineAcceptable()) {
        return;
    }
    if (!validatedOnce_) {
        validatedOnce_ = true;
        if (!CheckStatisticsSelected()) {
            return;
        }
    }
    committedServer_ = live_.shared.currentServerHost;
    const OptionsValues values = currentValues();
    commit_.SaveOptions(values);
    applyButton->setEnabled(false);
    commit_.followRows(values);
}

void Options::OKButton_Click() {
    if (!serverLineAcceptable()) {
        return;
    }
    if (applyButton->isEnabled()) {
        commit_.SaveOptions(currentValues());
        // The saved server is the running program's server from now on, not the one it had.
        committedServer_ = live_.shared.currentServerHost;
    }
    close();
    if (live_.settings.actionFlag(QStringLiteral("ShowStatsAtStartup"), 0)) {
        host_.showMonitorWindow();
    }
}

void Options::cancelButton_Click() {
    if (!applyButton->isEnabled()) {
        close();
        return;
    }
    const int answer = host_.showMessageBox(unsavedChangesQuestion(), MessageBoxStyles::YesNoCancelQuestion,
                                            QStringLiteral("Quorvane Options"));
    if (answer == MessageBoxResult::Yes) {
        if (!serverLineAcceptable()) {
            return;
        }
        applyButton_Click();
        close();
    } else if (answer == MessageBoxResult::No) {
        close();
    }
}

// The buttons are no automatic defaults, so that Enter in a number box commits nothing; Enter on
// a focused button presses it all the same.
void Options::keyPressEvent(QKeyEvent* event) {
    auto* button = qobject_cast<QPushButton*>(focusWidget());
    if ((event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) && button != nullptr &&
        button->isEnabled()) {
        event->accept();
        button->click();
        return;
    }
    QDialog::keyPressEvent(event);
}

void Options::reject() {
    close();
}

void Options::closeEvent(QCloseEvent* event) {
    // Not the dialog's own handling: that would reject, and rejecting closes.
    unload();
    event->accept();
}

void Options::unload() {
    if (unloaded_) {
        return;
    }
    unloaded_ = true;
    Timer1.stop();
    live_.shared.currentServerHost = committedServer_;
    table_.FindTimeServer(committedServer_);
    if (cpuMeter_) {
        cpuMeter_->Terminate();
        cpuMeter_.reset();
    }
    live_.items.mnuOptions.enabled = true;
}
