#pragma once

#include "settings/StartupEntry.h"

// The option "Run program at log-in?" as the user's autostart entry for this program file. A
// failure to write it is shown in a message box.
class LoginStartupEntry : public StartupEntry {
public:
    bool exists() override;
    void setPresent(bool present) override;
};
