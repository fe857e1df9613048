#pragma once

#include <QString>

// What the update check shows the user: message boxes and the download status window. The program
// uses the real windows; tests answer and record.
class UpdatePrompts {
public:
    virtual ~UpdatePrompts() = default;

    // A message box with the classic style number (64 information, 16 critical, 36 Yes/No
    // question, 0 OK only); returns the result code of the button chosen (6 Yes, 7 No).
    virtual int message(const QString& text, int style, const QString& title) = 0;
    virtual void showStatus() = 0;
    virtual void closeStatus() = 0;
};
