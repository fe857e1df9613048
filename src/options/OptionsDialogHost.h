#pragma once

#include "options/Options.h"
#include "timesync/OptionsDialogLink.h"

#include <QPointer>

class Menu;
class MenuServices;
class SystemInfoModule;
class TimeServerTable;

// Opens, finds and closes the program's one Options dialog, and answers for it while it is open:
// the tray menu's mirror of its toggles, the pop-up's page check and the synchronisation dialog's
// questions. Lives as long as the program, so that others may keep a pointer to it.
class OptionsDialogHost : public OptionsDialogLink {
public:
    OptionsDialogHost(Menu& menu, MenuServices& services, SystemInfoModule& stats, TimeServerTable& table)
        : menu_(menu), services_(services), stats_(stats), table_(table) {}
    ~OptionsDialogHost() override;

    // Opens the dialog (or brings the open one forward) and selects the page.
    void show(int page);
    void unload();
    Options* dialog() const { return dialog_; }

    bool applyEnabled() const;
    void setApplyEnabled(bool enabled);
    void setMirrorBox(const QString& box, bool checked);
    int currentPage() const;

    // OptionsDialogLink
    QRect geometryTwips() const override;
    int syncNowButtonBottomTwips() const override;
    void setSyncNowButtonEnabled(bool enabled) override;

private:
    Menu& menu_;
    MenuServices& services_;
    SystemInfoModule& stats_;
    TimeServerTable& table_;
    QPointer<Options> dialog_;
};
