#pragma once

#include "options/OptionsHost.h"
#include "options/OptionsValues.h"
#include "settings/LiveOptions.h"

// Writes what the Options dialog holds to the settings store, the shared settings state and the
// tray menu's items, so that the running program follows at once.
class OptionsCommit {
public:
    OptionsCommit(LiveOptions live, OptionsHost& host) : live_(live), host_(host) {}

    // Every key in its stored form; also marks the options as defined.
    void SaveOptions(const OptionsValues& values);
    // What Apply adds after saving: the monitor items and threshold monitoring follow the rows.
    void followRows(const OptionsValues& values);

private:
    void saveRows(const OptionsValues& values);
    void watchAsStored();

    LiveOptions live_;
    OptionsHost& host_;
};
