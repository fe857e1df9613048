#pragma once

#include <QString>
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
};
