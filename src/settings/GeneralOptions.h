#pragma once

#include "settings/AppSettings.h"
#include "settings/GeneralOption.h"
#include "settings/TrayMenuState.h"

#include <QObject>
#include <span>

class StartupEntry;

// The one description of every general option, and the model that keeps each option's tray check
// mark, stored key and mirrors in step: the tray menu, the start-up read and the options dialog all
// go through it, and `changed` tells whoever shows or acts on an option.
class GeneralOptions : public QObject {
    Q_OBJECT

public:
    enum class StoredForm { Entry, ZeroOne, TrueFalse };

    struct Row {
        GeneralOption option;
        const char* key;  // nullptr for the log-in entry
        StoredForm form;
        bool defaultOn;
        MenuItemState TrayMenuState::*item;
        const char* itemName;  // the tray action's object name
        const char* caption;   // the tray menu's text
    };

    static std::span<const Row> rows();
    static const Row& row(GeneralOption option);

    // `entry` may be null where no log-in entry can exist: the option then stays off.
    GeneralOptions(AppSettings& settings, TrayMenuState& items, StartupEntry* entry,
                   QObject* parent = nullptr);

    bool isOn(GeneralOption option) const;
    // Start-up: every mark from its key, or its default where the key is absent; a value that
    // does not convert leaves the mark as it is. `translucencyAvailable` false disables the
    // transparency item and clears its mark. Announces nothing: nothing shows an option yet.
    void readStored(bool translucencyAvailable);
    // Stores the option in its key's form (the log-in entry is created or removed), sets the mark
    // (for the entry: whether it now exists; a disabled item keeps its mark) and announces a change.
    void set(GeneralOption option, bool on);

Q_SIGNALS:
    void changed(GeneralOption option, bool on);

private:
    MenuItemState& item(GeneralOption option) const;

    AppSettings& settings_;
    TrayMenuState& items_;
    StartupEntry* entry_;
};
