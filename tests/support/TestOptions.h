#pragma once

#include "settings/LiveOptions.h"
#include "support/FakeStartupEntry.h"
#include "support/MemorySettingsStore.h"

// The live options a window gets from the controller, over a settings store in memory.
struct TestOptions {
    MemorySettingsStore store;
    AppSettings settings{store};
    TrayMenuState items;
    SharedSettingsState shared;
    FakeStartupEntry startupEntry;
    GeneralOptions general{settings, items, &startupEntry};

    LiveOptions live() { return {settings, items, shared, general}; }
};
