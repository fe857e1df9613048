#pragma once

#include "app/Menu.h"
#include "settings/GeneralOption.h"

// The commands behind the tray menu's items and the hotkey.
class TrayCommands {
public:
    // The windows the commands open and close.
    class Host {
    public:
        virtual ~Host() = default;
        virtual void showMonitorWindow() = 0;
        virtual void closeMonitorWindow() = 0;
        virtual void showOptionsDialog(int page) = 0;  // returns once the dialog has been shown
        virtual void closeOptionsDialog() = 0;
        virtual void startSynchronisation() = 0;
        virtual void showAbout() = 0;
    };

    TrayCommands(Menu& menu, Host& host) : menu_(menu), host_(host) {}

    // A general option's item: the option flips, is stored, and its mirrors follow.
    void toggle(GeneralOption option);
    void mnuDisplay_Click();
    void showOptionsPage(int page);  // mnuOptions 0, mnuItems 1, mnuTimeServer 3
    void mnuMonitor_Click();
    void mnuSync_Click();
    void mnuVersion_Click();
    void mnuAbout_Click();
    void hotkeyPressed(bool hotkeyEnabled);

private:
    Menu& menu_;
    Host& host_;
};
