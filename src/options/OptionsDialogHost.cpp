#include "options/OptionsDialogHost.h"

#include "options/Options.h"
#include "options/OptionsTimeSyncPage.h"
#include "stats/SysInfo.h"

#include <QCoreApplication>
#include <QPushButton>

OptionsDialogHost::~OptionsDialogHost() {
    delete dialog_.data();
}

void OptionsDialogHost::show(int page) {
    if (!dialog_) {
        dialog_ = new Options(live_, facts_, host_, stats_, table_);
    }
    dialog_->show();
    dialog_->raise();
    dialog_->activateWindow();
    QCoreApplication::processEvents();
    if (dialog_) {
        dialog_->selectPage(page);
    }
}

void OptionsDialogHost::unload() {
    if (dialog_) {
        dialog_->close();  // deletes itself
    }
}

int OptionsDialogHost::currentPage() const {
    return dialog_ ? dialog_->currentPage() : 0;
}

QRect OptionsDialogHost::geometryTwips() const {
    if (!dialog_) {
        return {};
    }
    const QRect outer = dialog_->frameGeometry();
    const int tx = SysInfo::twipsPerPixelX();
    const int ty = SysInfo::twipsPerPixelY();
    return {outer.x() * tx, outer.y() * ty, outer.width() * tx, outer.height() * ty};
}

int OptionsDialogHost::syncNowButtonBottomTwips() const {
    if (!dialog_) {
        return 0;
    }
    const QPushButton* button = dialog_->timeSync->SyncNowButton;
    const int bottom = button->mapTo(dialog_.data(), QPoint(0, button->height())).y();
    const int titleBar = dialog_->geometry().y() - dialog_->frameGeometry().y();
    return (titleBar + bottom) * SysInfo::twipsPerPixelY();
}

void OptionsDialogHost::setSyncNowButtonEnabled(bool enabled) {
    if (dialog_) {
        dialog_->timeSync->SyncNowButton->setEnabled(enabled);
    }
}
