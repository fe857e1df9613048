#include "options/SpinButtons.h"

#include "options/NumberBoxEdit.h"
#include "platform/RoundHalfToEven.h"

#include <QToolButton>
#include <QVBoxLayout>
#include <algorithm>

SpinButtons::SpinButtons(QWidget* parent)
    : QWidget(parent), up_(new QToolButton(this)), down_(new QToolButton(this)) {
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    for (QToolButton* button : {up_, down_}) {
        button->setArrowType(button == up_ ? Qt::UpArrow : Qt::DownArrow);
        button->setAutoRepeat(true);
        button->setFocusPolicy(Qt::NoFocus);
        button->setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Ignored);
        button->setFixedWidth(16);
        layout->addWidget(button);
    }
    up_->setObjectName(QStringLiteral("up"));
    down_->setObjectName(QStringLiteral("down"));
    setFixedWidth(16);
    connect(up_, &QToolButton::clicked, this, &SpinButtons::upClicked);
    connect(down_, &QToolButton::clicked, this, &SpinButtons::downClicked);
}

void SpinButtons::setRange(int minimum, int maximum) {
    minimum_ = minimum;
    maximum_ = std::max(minimum, maximum);
}

void SpinButtons::bind(NumberBoxEdit* buddy) {
    setRange(int(buddy->box().minValue()), int(buddy->box().maxValue()));
    setFixedHeight(buddy->sizeHint().height());
    const auto step = [this, buddy](int direction) {
        const double current = roundHalfToEven(buddy->value());
        const double next = std::clamp(current + direction * increment_, double(minimum_), double(maximum_));
        buddy->setValue(next);
    };
    connect(this, &SpinButtons::upClicked, buddy, [step] { step(1); });
    connect(this, &SpinButtons::downClicked, buddy, [step] { step(-1); });
}
