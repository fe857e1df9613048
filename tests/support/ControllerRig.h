#pragma once

#include "app/Menu.h"
#include "support/FakeStartupEntry.h"
#include "support/MemorySettingsStore.h"
#include "support/RecordingMenuServices.h"

#include <memory>

// The controller over a settings store in memory, with every service around it recorded.
struct ControllerRig {
    static inline const QDateTime kNow{QDate(2026, 12, 8), QTime(16, 30, 0)};

    MemorySettingsStore store;
    AppSettings settings{store};
    RecordingMenuServices services;
    FakeStartupEntry startupEntry;
    std::unique_ptr<Menu> menu;

    void set(const QString& key, const QString& value) { store.write(key, value); }
    // A new controller, started up: its calls so far are in `services.calls`.
    Menu& start(const QString& commandLine = QString()) {
        menu = std::make_unique<Menu>(settings, services, PlatformFacts::linux(), commandLine, &startupEntry,
                                      [] { return kNow; });
        menu->load();
        return *menu;
    }
};
