#pragma once

#include <QString>

// Watches Qt's messages while the application connects to the display. Where it cannot, Qt aborts
// (status 134) with advice to reinstall; the guard says instead that the program needs a graphical
// session and ends the process with status 1. The messages of a start that works are passed on.
class DisplayConnectionGuard {
public:
    DisplayConnectionGuard();
    ~DisplayConnectionGuard();
    DisplayConnectionGuard(const DisplayConnectionGuard&) = delete;
    DisplayConnectionGuard& operator=(const DisplayConnectionGuard&) = delete;

    // The words said in place of Qt's, without the reasons Qt gave.
    static QString message();
};
