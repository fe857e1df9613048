#pragma once

#include "settings/AppSettings.h"
#include "settings/GeneralOptions.h"
#include "settings/SharedSettingsState.h"
#include "settings/TrayMenuState.h"

// What the running program consults and changes of its options: the settings file, the tray
// items' marks and enabled states, the shared copies of the statistics settings, and the general
// options' model. The controller owns them; windows get them from it.
struct LiveOptions {
    AppSettings& settings;
    TrayMenuState& items;
    SharedSettingsState& shared;
    GeneralOptions& general;
};
