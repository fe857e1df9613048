#include "app/TrayCommands.h"

void TrayCommands::toggle(GeneralOption option) {
    GeneralOptions& options = menu_.generalOptions();
    options.set(option, !options.isOn(option));
}

void TrayCommands::mnuDisplay_Click() {
    host_.closeOptionsDialog();
    host_.showMonitorWindow();
}

void TrayCommands::showOptionsPage(int page) {
    host_.closeMonitorWindow();
    host_.showOptionsDialog(page);
}

void TrayCommands::mnuMonitor_Click() {
    menu_.mnuMonitor_Click();
}

void TrayCommands::mnuSync_Click() {
    host_.startSynchronisation();
}

void TrayCommands::mnuVersion_Click() {
    menu_.mnuVersion_Click();
}

void TrayCommands::mnuAbout_Click() {
    host_.showAbout();
}

void TrayCommands::hotkeyPressed(bool hotkeyEnabled) {
    if (!hotkeyEnabled) {
        return;
    }
    if (menu_.menuState().mnuDisplay.enabled) {
        mnuDisplay_Click();
    } else {
        host_.closeMonitorWindow();
    }
}
