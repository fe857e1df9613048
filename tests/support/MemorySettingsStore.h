#pragma once

#include "platform/SettingsStore.h"

#include <QMap>

// An in-memory settings store with the same case-insensitive key match as the real one.
class MemorySettingsStore : public SettingsStore {
public:
    std::optional<QString> read(const QString& key) const override {
        const auto found = values_.constFind(key.toLower());
        if (found == values_.constEnd()) {
            return std::nullopt;
        }
        return found->second;
    }
    bool write(const QString& key, const QString& text) override {
        values_.insert(key.toLower(), {key, text});
        ++writes;
        return true;
    }
    int writes = 0;

private:
    QMap<QString, std::pair<QString, QString>> values_;  // lower-case key -> (key as written, text)
};
