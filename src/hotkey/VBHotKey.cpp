#include "hotkey/VBHotKey.h"

#include "platform/GlobalHotkeys.h"

VBHotKey::VBHotKey(GlobalHotkeys& system, QObject* parent)
    : QObject(parent), system_(system), hotkey_(std::make_unique<ApiHotkey>(&system)) {
    hotkey_->setErrorReporter(
        [this](const QString& description, const QString& source) { RaiseError(description, source); });
}

VBHotKey::~VBHotKey() {
    StopHotkey();
}

template <typename T>
void VBHotKey::changeKey(T& stored, T value) {
    if (stored == value) {
        return;
    }
    stored = value;
    if (live_ && hotkey_ && hotkey_->hAtom() != 0) {
        hotkey_->Unregister();
        copyKeys();
        hotkey_->Register();
    }
}

template void VBHotKey::changeKey<bool>(bool&, bool);
template void VBHotKey::changeKey<quint32>(quint32&, quint32);

void VBHotKey::copyKeys() {
    hotkey_->setAltKey(altKey_);
    hotkey_->setShiftKey(shiftKey_);
    hotkey_->setControlKey(ctrlKey_);
    hotkey_->setWinKey(winKey_);
    hotkey_->setVKey(vKey_);
    hotkey_->sethWnd(window_);
}

void VBHotKey::setEnabled(bool on) {
    if (enabled_ == on) {
        return;
    }
    enabled_ = on;
    if (!live_ || !hotkey_) {
        return;
    }
    if (on) {
        copyKeys();
        hotkey_->Register();
    } else {
        hotkey_->Unregister();
    }
}

void VBHotKey::start() {
    if (live_ || !hotkey_) {
        return;
    }
    live_ = true;
    window_ = system_.window();
    copyKeys();
    presses_ = connect(&system_, &GlobalHotkeys::pressed, this,
                       [this](quint32 window, quint32 vKey, quint32 modifier) {
                           if (window == window_) {
                               RaiseKeyPressEvent(vKey, modifier);
                           }
                       });
    if (enabled_) {
        hotkey_->Register();
    }
}

void VBHotKey::RaiseKeyPressEvent(quint32 vKey, quint32 modifier) {
    ApiHotkey pressed;
    pressed.setVKey(vKey);
    pressed.setModifier(modifier);
    if (hotkey_ && hotkey_->MatchedKey(pressed)) {
        Q_EMIT HotkeyPressed();
    }
}

void VBHotKey::StopHotkey() {
    disconnect(presses_);
    if (hotkey_) {
        hotkey_->Unregister();
        hotkey_.reset();
    }
    live_ = false;
}

void VBHotKey::RaiseError(const QString& description, const QString& source) {
    // Where no program can grab keys, saying so once is enough; a refusal by another program is
    // worth hearing each time it happens.
    if (!system_.canGrab()) {
        if (unavailableReported_) {
            return;
        }
        unavailableReported_ = true;
    }
    Q_EMIT HotkeyError(description, source);
}
