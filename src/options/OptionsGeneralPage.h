#pragma once

#include "options/OptionsValues.h"

#include <QWidget>
#include <array>

class NumberBoxEdit;
class QCheckBox;
class QLabel;
class SpinButtons;
struct TrayMenuState;

// Page "Options": the ten general check boxes and the transparency level.
class OptionsGeneralPage : public QWidget {
    Q_OBJECT

public:
    explicit OptionsGeneralPage(QWidget* parent = nullptr);

    // The boxes from the tray items' check marks, the level from the shared state.
    void showCurrentSettings(const TrayMenuState& items, bool transparentFlag, bool translucencyAvailable,
                             int transparentLevel);
    void readInto(OptionsValues& values) const;

    std::array<QCheckBox*, OptionsValues::kGeneralCount> Check0{};
    QLabel* Label7 = nullptr;
    NumberBoxEdit* TransLevel = nullptr;
    SpinButtons* UpDown7 = nullptr;
    QLabel* Label8 = nullptr;

Q_SIGNALS:
    void changed();

private:
    void followTransparencyBox();
};
