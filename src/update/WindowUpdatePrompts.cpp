#include "update/WindowUpdatePrompts.h"

#include "widgets/MessageBox.h"

WindowUpdatePrompts::~WindowUpdatePrompts() {
    closeStatus();
}

int WindowUpdatePrompts::message(const QString& text, int style, const QString& title) {
    return ShowMessageBox(text, style, title);
}

void WindowUpdatePrompts::showStatus() {
    if (!status_) {
        status_ = new UpdateStatus;
    }
    status_->show();
    status_->raise();
}

void WindowUpdatePrompts::closeStatus() {
    if (status_) {
        status_->unsetCursor();
        status_->close();  // deletes itself
        status_.clear();
    }
}
