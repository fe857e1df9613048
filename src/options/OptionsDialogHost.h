#pragma once

#include "options/Options.h"
#include "timesync/OptionsDialogLink.h"

#include <QPointer>

class SystemInfoModule;
class TimeServerTable;

// Opens, finds and closes the program's one Options dialog, and answers for it while it is open:
// the pop-up's page check and the synchronisation dialog's questions. Lives as long as the program, so that
// others may keep a pointer to it.
class OptionsDialogHost : public OptionsDialogLink {
public:
    OptionsDialogHost(LiveOptions live, PlatformFacts facts, OptionsHost& host, SystemInfoModule& stats,
                      TimeServerTable& table)
        : live_(live), facts_(facts), host_(host), stats_(stats), table_(table) {}
    ~OptionsDialogHost() override;

    // Opens the dialog (or brings the open one forward) and selects the page.
    void show(int page);
    void unload();
    Options* dialog() const { return dialog_; }

    int currentPage() const;

    // OptionsDialogLink
    QRect geometryTwips() const override;
    int syncNowButtonBottomTwips() const override;
    void setSyncNowButtonEnabled(bool enabled) override;

private:
    LiveOptions live_;
    PlatformFacts facts_;
    OptionsHost& host_;
    SystemInfoModule& stats_;
    TimeServerTable& table_;
    QPointer<Options> dialog_;
};
