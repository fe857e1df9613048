#pragma once

#include "update/UpdatePrompts.h"
#include "update/UpdateStatus.h"

#include <QPointer>

// The program's own message box and the status window.
class WindowUpdatePrompts : public UpdatePrompts {
public:
    ~WindowUpdatePrompts() override;

    int message(const QString& text, int style, const QString& title) override;
    void showStatus() override;
    void closeStatus() override;

    UpdateStatus* statusWindow() const { return status_; }

private:
    QPointer<UpdateStatus> status_;
};
