#include "settings/GeneralOptions.h"

#include "settings/StartupEntry.h"

#include <array>

namespace {
using Form = GeneralOptions::StoredForm;
using Option = GeneralOption;
using S = TrayMenuState;

// Defaults are those of a first start; the dialog's first save writes every key.
constexpr std::array<GeneralOptions::Row, kGeneralOptionCount> kRows{{
    {Option::Startup, nullptr, Form::Entry, false, &S::mnuStartup, "mnuStartup", "Run program at log-in?"},
    {Option::StartupMonitor, "ShowStatsAtStartup", Form::ZeroOne, true, &S::mnuStartupMonitor,
     "mnuStartupMonitor", "Show system monitor after program StartUp?"},
    {Option::OnTop, "ShowOnTop", Form::ZeroOne, true, &S::mnuOnTop, "mnuOnTop",
     "Show system monitor on top of other windows?"},
    {Option::Splash, "ShowSplash", Form::ZeroOne, true, &S::mnuSplash, "mnuSplash",
     "Display splash screen during program StartUp?"},
    {Option::QuickDisplay, "ShowQuickDisplay", Form::TrueFalse, true, &S::mnuQuickDisplay, "mnuQuickDisplay",
     "Show \"popup\" monitor when mouse is over the Tray icon?"},
    {Option::ExitPrompt, "ShowExitPrompt", Form::TrueFalse, true, &S::mnuExitPrompt, "mnuExitPrompt",
     "Display exit prompt when closing program?"},
    {Option::MonitorBalloon, "ShowMonitorBalloon", Form::TrueFalse, true, &S::mnuMonitorBalloon,
     "mnuMonitorBalloon", "Show \"popup\" information about system-monitor display items?"},
    {Option::Transparent, "ShowTransparent", Form::TrueFalse, true, &S::mnuTransparent, "mnuTransparent",
     "Show system monitor as transparent?"},
    {Option::UpdateCheckAtStart, "VersionCheck", Form::TrueFalse, true, &S::mnuUpdateCheckAtStart,
     "mnuUpdateCheckAtStart", "Automatically (daily) check for program updates?"},
    {Option::Hotkey, "UseHotkey", Form::TrueFalse, true, &S::mnuHotkey, "mnuHotkey",
     "Use hotkey (Ctrl+Shift+C) to show/hide system monitor?"},
    {Option::SyncAtStart, "TimeSyncOnStart", Form::TrueFalse, false, &S::mnuSyncAtStart, "mnuSyncAtStart",
     "Synchronize Clock When Program Starts?"},
}};

static_assert([] {
    for (int index = 0; index < kGeneralOptionCount; ++index) {
        if (int(kRows[size_t(index)].option) != index) {
            return false;
        }
    }
    return true;
}());
}  // namespace

std::span<const GeneralOptions::Row> GeneralOptions::rows() {
    return kRows;
}

const GeneralOptions::Row& GeneralOptions::row(GeneralOption option) {
    return kRows[size_t(option)];
}

GeneralOptions::GeneralOptions(AppSettings& settings, TrayMenuState& items, StartupEntry* entry,
                               QObject* parent)
    : QObject(parent), settings_(settings), items_(items), entry_(entry) {}

MenuItemState& GeneralOptions::item(GeneralOption option) const {
    return items_.*(row(option).item);
}

bool GeneralOptions::isOn(GeneralOption option) const {
    return item(option).checked;
}

void GeneralOptions::readStored(bool translucencyAvailable) {
    for (const Row& described : kRows) {
        MenuItemState& mark = item(described.option);
        if (described.form == StoredForm::Entry) {
            mark.checked = entry_ != nullptr && entry_->exists();
            continue;
        }
        if (described.option == GeneralOption::Transparent && !translucencyAvailable) {
            mark.checked = false;
            mark.enabled = false;
            continue;
        }
        mark.enabled = true;
        if (const auto stored =
                settings_.checkMark(QString::fromLatin1(described.key), described.defaultOn)) {
            mark.checked = *stored;
        }
    }
}

void GeneralOptions::set(GeneralOption option, bool on) {
    const Row& described = row(option);
    MenuItemState& mark = item(option);
    const QString key = described.key ? QString::fromLatin1(described.key) : QString();
    switch (described.form) {
        case StoredForm::Entry:
            if (entry_ != nullptr) {
                entry_->setPresent(on);
            }
            // The mark shows what is really there, also when the entry could not be written.
            on = entry_ != nullptr && entry_->exists();
            break;
        case StoredForm::ZeroOne:
            settings_.writeFlag(key, on);
            break;
        case StoredForm::TrueFalse:
            settings_.writeBoolean(key, on);
            break;
    }
    if (!mark.enabled) {
        return;  // the item stays as it is; the stored choice waits for a session that can show it
    }
    if (mark.checked == on) {
        return;
    }
    mark.checked = on;
    Q_EMIT changed(option, on);
}
