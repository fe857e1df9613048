#pragma once

#include "settings/StartupEntry.h"

#include <QStringList>

// A log-in entry that exists in memory; `canBeCreated` false makes every creation fail.
class FakeStartupEntry : public StartupEntry {
public:
    bool present = false;
    bool canBeCreated = true;
    QStringList calls;

    bool exists() override { return present; }
    void setPresent(bool on) override {
        calls << (on ? QStringLiteral("create") : QStringLiteral("remove"));
        present = on && canBeCreated;
    }
};
