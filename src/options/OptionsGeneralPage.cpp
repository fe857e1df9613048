#include "options/OptionsGeneralPage.h"

#include "options/NumberBoxEdit.h"
#include "options/SpinButtons.h"
#include "platform/RoundHalfToEven.h"
#include "settings/GeneralOptions.h"

#include <QCheckBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QVBoxLayout>

namespace {
constexpr size_t kTransparencyBox = size_t(GeneralOption::Transparent);
constexpr int kDefaultLevel = 75;

const char* const kCaptions[OptionsValues::kGeneralCount] = {
    "Run program at log-in?",
    "Show system monitor after program StartUp?",
    "Show system monitor on top of other windows?",
    "Display splash screen during program StartUp?",
    "Show \"popup\" monitor when mouse is over the Tray icon?",
    "Display exit prompt when closing program?",
    "Show \"popup\" information about system-monitor display items?",
    "Show system monitor as transparent?",
    "Automatically (daily) check for program updates?",
    "Use hotkey (Ctrl+Shift+C) to show/hide system monitor?",
};
}  // namespace

OptionsGeneralPage::OptionsGeneralPage(QWidget* parent) : QWidget(parent) {
    auto* layout = new QVBoxLayout(this);
    for (int i = 0; i < OptionsValues::kGeneralCount; ++i) {
        Check0[size_t(i)] = new QCheckBox(QString::fromUtf8(kCaptions[i]), this);
        Check0[size_t(i)]->setObjectName(QStringLiteral("Check0(%1)").arg(i));
        // A box set from outside (the tray menu) counts as a change too.
        connect(Check0[size_t(i)], &QCheckBox::toggled, this, &OptionsGeneralPage::changed);
        if (size_t(i) != kTransparencyBox) {
            layout->addWidget(Check0[size_t(i)]);
            continue;
        }
        auto* row = new QHBoxLayout;
        row->addWidget(Check0[size_t(i)]);
        Label7 = new QLabel(QStringLiteral("Level:"), this);
        TransLevel = new NumberBoxEdit(this);
        TransLevel->setObjectName(QStringLiteral("TransLevel"));
        TransLevel->setFixedWidth(TransLevel->fontMetrics().horizontalAdvance(QStringLiteral("0000")) + 10);
        TransLevel->box().setLimitedPicture(QStringLiteral("#0"), OptionsValues::kTransparentLevel.minimum,
                                            OptionsValues::kTransparentLevel.maximum, true);
        TransLevel->setValue(kDefaultLevel);
        UpDown7 = new SpinButtons(this);
        UpDown7->setObjectName(QStringLiteral("UpDown7"));
        UpDown7->bind(TransLevel);
        Label8 = new QLabel(QStringLiteral("%"), this);
        row->addStretch(1);
        row->addWidget(Label7);
        row->addWidget(TransLevel);
        row->addWidget(UpDown7);
        row->addWidget(Label8);
        layout->addLayout(row);
        connect(Check0[size_t(i)], &QCheckBox::toggled, this, &OptionsGeneralPage::followTransparencyBox);
    }
    layout->addStretch(1);
    connect(TransLevel, &NumberBoxEdit::Change, this, &OptionsGeneralPage::changed);
    followTransparencyBox();
}

void OptionsGeneralPage::followTransparencyBox() {
    const bool on = Check0[kTransparencyBox]->isChecked();
    for (QWidget* widget : {static_cast<QWidget*>(Label7), static_cast<QWidget*>(TransLevel),
                            static_cast<QWidget*>(UpDown7), static_cast<QWidget*>(Label8)}) {
        widget->setEnabled(on);
    }
}

void OptionsGeneralPage::showCurrentSettings(const TrayMenuState& items, bool transparentFlag,
                                             bool translucencyAvailable, int transparentLevel) {
    for (const GeneralOptions::Row& row : GeneralOptions::rows()) {
        if (row.option != GeneralOption::SyncAtStart && row.option != GeneralOption::Transparent) {
            Check0[size_t(row.option)]->setChecked((items.*row.item).checked);
        }
    }
    Check0[kTransparencyBox]->setChecked(translucencyAvailable && transparentFlag);
    Check0[kTransparencyBox]->setEnabled(translucencyAvailable);
    TransLevel->setValue(transparentLevel == 0 ? kDefaultLevel : transparentLevel);
}

void OptionsGeneralPage::readInto(OptionsValues& values) const {
    for (int i = 0; i < OptionsValues::kGeneralCount; ++i) {
        values.general[size_t(i)] = Check0[size_t(i)]->isChecked();
    }
    values.transparentLevel = int(roundHalfToEven(TransLevel->value()));
}
