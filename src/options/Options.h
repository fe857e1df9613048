#pragma once

#include "options/OptionsCommit.h"
#include "options/OptionsHost.h"
#include "options/OptionsValues.h"
#include "platform/PlatformFacts.h"
#include "settings/LiveOptions.h"
#include "stats/SystemInfoModule.h"

#include <QDialog>
#include <QTimer>
#include <memory>

class QCheckBox;
class ActivityMeters;
class OptionsGeneralPage;
class OptionsMorePage;
class OptionsStatisticsPage;
class OptionsSystemPage;
class OptionsTimeSyncPage;
class QPushButton;
class QTabWidget;
class SysInfo;
class TimeServerTable;

// The settings dialog: general options, the statistics to show and watch, facts about the
// machine and the time server. It owns no setting: it shows the tray items' check marks and the
// shared settings state, and Apply or OK write them back. Not modal; deletes itself when closed.
class Options : public QDialog {
    Q_OBJECT

public:
    enum Page { GeneralPage = 0, StatisticsPage = 1, SystemPage = 2, TimeSyncPage = 3, MorePage = 4 };

    Options(LiveOptions live, PlatformFacts facts, OptionsHost& host, SystemInfoModule& stats,
            TimeServerTable& table, QWidget* parent = nullptr);
    ~Options() override;

    void selectPage(int page);
    int currentPage() const;
    bool applyEnabled() const;
    void setApplyEnabled(bool enabled);
    // The box that shows a general option.
    QCheckBox* box(GeneralOption option) const;
    // The mount table changed: the drive rows of both pages are made afresh.
    void RebuildDriveRows();
    OptionsValues currentValues() const;
    QString committedServer() const { return committedServer_; }

    QTabWidget* SSTab1 = nullptr;
    OptionsGeneralPage* general = nullptr;
    OptionsStatisticsPage* statistics = nullptr;
    OptionsSystemPage* system = nullptr;
    OptionsTimeSyncPage* timeSync = nullptr;
    OptionsMorePage* more = nullptr;
    QPushButton* OKButton = nullptr;
    QPushButton* cancelButton = nullptr;
    QPushButton* applyButton = nullptr;
    QTimer Timer1;  // live bars of the statistics page

    static QString noSelectionWarning();
    static QString unsavedChangesQuestion();

protected:
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

public Q_SLOTS:
    void reject() override;

private:
    void buildControls();
    void load();
    void firstActivation();
    void ShowCurrentSettings();
    void setDrives(const QList<FixedDrive>& drives);
    void fitToRows();
    void SSTab1_Click(int page);
    void Timer1_Timer();
    void markChanged();
    bool CheckStatisticsSelected();
    bool serverLineAcceptable();
    void applyButton_Click();
    void OKButton_Click();
    void cancelButton_Click();
    void unload();
    bool resourceRowsShown() const;
    void mirror(GeneralOption option, bool on);

    LiveOptions live_;
    PlatformFacts facts_;
    OptionsHost& host_;
    SystemInfoModule& stats_;
    TimeServerTable& table_;
    OptionsCommit commit_;
    std::unique_ptr<SysInfo> sysInfo_;
    std::unique_ptr<CpuMeter> cpuMeter_;
    std::unique_ptr<ActivityMeters> activityMeters_;
    QList<FixedDrive> drives_;
    QString committedServer_;
    int baseTabHeight_ = 0;
    bool firstActivation_ = false;
    bool validatedOnce_ = false;
    bool pageSwitchGuard_ = false;
    bool unloaded_ = false;
};
