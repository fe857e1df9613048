#pragma once

#include "hotkey/ApiHotkey.h"

#include <QObject>
#include <memory>

class GlobalHotkeys;

// Owns one global hotkey for its host: the combination is grabbed while the control is started
// and Enabled, and every press of it raises HotkeyPressed.
class VBHotKey : public QObject {
    Q_OBJECT

public:
    explicit VBHotKey(GlobalHotkeys& system, QObject* parent = nullptr);
    ~VBHotKey() override;

    bool AltKey() const { return altKey_; }
    bool ShiftKey() const { return shiftKey_; }
    bool CtrlKey() const { return ctrlKey_; }
    bool WinKey() const { return winKey_; }
    quint32 VKey() const { return vKey_; }
    bool Enabled() const { return enabled_; }
    // A changed key is grabbed anew at once while the combination holds an atom.
    void setAltKey(bool on) { changeKey(altKey_, on); }
    void setShiftKey(bool on) { changeKey(shiftKey_, on); }
    void setCtrlKey(bool on) { changeKey(ctrlKey_, on); }
    void setWinKey(bool on) { changeKey(winKey_, on); }
    void setVKey(quint32 key) { changeKey(vKey_, key); }
    // Grabs the combination (true) or lets it go (false) once the control is started.
    void setEnabled(bool on);

    quint32 hAtom() const { return hotkey_ ? hotkey_->hAtom() : 0; }
    quint32 hKey() const { return hotkey_ ? hotkey_->hKey() : 0; }
    QString UniqueKey() const { return hotkey_ ? hotkey_->UniqueKey() : QString(); }
    quint32 hWnd() const { return window_; }

    // Goes live on the window system's receiving window; grabs at once when Enabled.
    void start();
    // A press reported for the receiving window: raises HotkeyPressed when it is this combination.
    void RaiseKeyPressEvent(quint32 vKey, quint32 modifier);
    // Releases the combination and stops listening; the control stays quiet from then on.
    void StopHotkey();
    void RaiseError(const QString& description, const QString& source);

Q_SIGNALS:
    void HotkeyPressed();
    void HotkeyError(const QString& description, const QString& source);

private:
    template <typename T>
    void changeKey(T& stored, T value);
    void copyKeys();

    GlobalHotkeys& system_;
    std::unique_ptr<ApiHotkey> hotkey_;
    bool altKey_ = false;
    bool shiftKey_ = false;
    bool ctrlKey_ = false;
    bool winKey_ = true;
    quint32 vKey_ = 65;
    bool enabled_ = true;
    quint32 window_ = 0;
    bool live_ = false;
    bool unavailableReported_ = false;
    QMetaObject::Connection presses_;
};
