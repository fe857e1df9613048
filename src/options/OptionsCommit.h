#pragma once

#include "options/OptionsValues.h"

class Menu;
class MenuServices;

// Writes what the Options dialog holds to the settings store, the shared settings state and the
// tray menu's items, so that the running program follows at once.
class OptionsCommit {
public:
    OptionsCommit(Menu& menu, MenuServices& services) : menu_(menu), services_(services) {}

    // Every key in its stored form, in a fixed order; also marks the options as defined.
    void SaveOptions(const OptionsValues& values);
    // What Apply adds after saving: the monitor items and threshold monitoring follow the rows.
    void followRows(const OptionsValues& values);

private:
    void saveRows(const OptionsValues& values);
    void monitorFromStoredChoice();

    Menu& menu_;
    MenuServices& services_;
};
