#pragma once

#include <QString>
#include <functional>
#include <optional>

// The per-user key-value store behind every setting of section "Settings". Keys match without
// regard to letter case; values are text; a write reaches the backing store at once.
class SettingsStore {
public:
    virtual ~SettingsStore() = default;

    // The stored text, or nothing when the key was never written.
    virtual std::optional<QString> read(const QString& key) const = 0;
    // Replaces any value stored under the key in any letter case; false when it could not be saved.
    virtual bool write(const QString& key, const QString& text) = 0;

    // Runs `change` with the store freshly read from where it is kept and no other copy of the
    // program doing the same, for a read-decide-write that must not race another process. False
    // when that exclusion could not be had (`change` still runs).
    virtual bool exclusively(const std::function<void()>& change) {
        change();
        return true;
    }
};
