#include "hotkey/ApiHotkey.h"

#include "platform/GlobalHotkeys.h"

QString ApiHotkey::UniqueKey() const {
    return QStringLiteral("hwnd:") + QString::number(hWnd_);
}

QString ApiHotkey::UniqueAtomName() const {
    QString name;
    if (WinKey()) {
        name += QStringLiteral("WIN+");
    }
    if (ShiftKey()) {
        name += QStringLiteral("SHIFT+");
    }
    if (ControlKey()) {
        name += QStringLiteral("CONTROL+");
    }
    if (AltKey()) {
        name += QStringLiteral("ALT+");
    }
    return name + QStringLiteral("%1").arg(VKey_, 3, 10, QLatin1Char('0'));
}

void ApiHotkey::Register() {
    if (system_ == nullptr) {
        return;
    }
    Unregister();
    hAtom_ = system_->addAtom(UniqueAtomName());
    const QString refusal =
        hAtom_ == 0 ? QStringLiteral("The window system gave no atom for %1.").arg(UniqueAtomName())
                    : system_->grab(hAtom_, Modifier_, VKey_);
    hKey_ = refusal.isEmpty() ? 1 : 0;
    if (!refusal.isEmpty() && reporter_) {
        reporter_(refusal, QStringLiteral("ApiHotkey:Register"));
    }
}

void ApiHotkey::Unregister() {
    if (hAtom_ == 0 || system_ == nullptr) {
        return;
    }
    system_->release(hAtom_);
    system_->deleteAtom(hAtom_);
    hAtom_ = 0;
    hKey_ = 0;
}

void ApiHotkey::ReadFromAtom(quint32 atom) {
    if (system_ != nullptr) {
        ReadFromAtomName(system_->atomName(atom));
    }
}

void ApiHotkey::ReadFromAtomName(const QString& name) {
    if (name.contains(QLatin1String("WIN+"))) {
        setWinKey(true);
    }
    if (name.contains(QLatin1String("SHIFT+"))) {
        setShiftKey(true);
    }
    if (name.contains(QLatin1String("CONTROL+"))) {
        setControlKey(true);
    }
    if (name.contains(QLatin1String("ALT+"))) {
        setAltKey(true);
    }
    // The whole number is read, so a key code of four digits or more comes back unchanged.
    const QString tail = name.mid(name.lastIndexOf(QLatin1Char('+')) + 1);
    const bool allDigits = !tail.isEmpty() && std::all_of(tail.cbegin(), tail.cend(),
                                                          [](QChar c) { return c >= u'0' && c <= u'9'; });
    bool fits = false;
    const quint32 key = allDigits ? tail.toUInt(&fits) : 0;
    if (fits) {
        VKey_ = key;
    }
}

bool ApiHotkey::MatchedKey(const ApiHotkey& testKey) const {
    return testKey.AltKey() == AltKey() && testKey.ControlKey() == ControlKey() &&
           testKey.ShiftKey() == ShiftKey() && testKey.VKey() == VKey() && testKey.WinKey() == WinKey();
}
