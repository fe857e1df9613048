#pragma once

// The entry that starts the program at log-in: the stored form of the option "Startup".
class StartupEntry {
public:
    virtual ~StartupEntry() = default;

    virtual bool exists() = 0;
    // Creates or removes the entry; a failure has been told to the user.
    virtual void setPresent(bool present) = 0;
};
