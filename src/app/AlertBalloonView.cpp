#include "app/AlertBalloonView.h"

#include "widgets/FixedPitchFont.h"

#include "stats/SysInfo.h"

#include <QFontDatabase>
#include <QFontMetrics>

namespace {}  // namespace

AlertBalloonView::AlertBalloonView(QObject* parent) : QObject(parent), balloon_(new Balloon) {
    balloon_->setTextFont(fixedPitchFont());
    connect(balloon_, &Balloon::closed, this, [this](Balloon::ClosedBy by) {
        if (by == Balloon::ClosedBy::User) {
            currentId_ = -1;
            Q_EMIT userClosed();
        }
    });
}

AlertBalloonView::~AlertBalloonView() {
    delete balloon_;
}

int AlertBalloonView::show(const QString& text, int xTwips, int yTwips) {
    balloon_->setText(text);
    balloon_->showAt(QPoint(xTwips / SysInfo::twipsPerPixelX(), yTwips / SysInfo::twipsPerPixelY()));
    currentId_ = nextId_;
    nextId_ = (nextId_ + 1) & 0x7FFF;
    return currentId_;
}

void AlertBalloonView::setText(int id, const QString& text) {
    if (id == currentId_ && id != -1) {
        balloon_->setText(text);
    }
}

void AlertBalloonView::close(int id) {
    if (id == currentId_ && id != -1) {
        currentId_ = -1;
        balloon_->dismiss();
    }
}
