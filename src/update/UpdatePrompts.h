#pragma once

#include <QString>

// What the update check shows the user: message boxes and the download status window. The program
// uses the real windows; tests answer and record.
class UpdatePrompts {
public:
    virtual ~UpdatePrompts() = default;

    // A message box of one of the MessageBoxStyles; returns the MessageBoxResult of the button chosen.
    virtual int message(const QString& text, int style, const QString& title) = 0;
    virtual void showStatus() = 0;
    virtual void closeStatus() = 0;
};
