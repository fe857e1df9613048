#pragma once

#include <QString>
#include <functional>

class GlobalHotkeys;

// One system-wide key combination (modifier bits and a virtual-key code), named by an atom whose
// value also identifies its grab, registered with the window system for one receiving window.
class ApiHotkey {
public:
    static constexpr quint32 MOD_ALT = 1;
    static constexpr quint32 MOD_CONTROL = 2;
    static constexpr quint32 MOD_SHIFT = 4;
    static constexpr quint32 MOD_WIN = 8;

    using ErrorReporter = std::function<void(const QString& description, const QString& source)>;

    // Without a window system the object only holds and compares keys.
    explicit ApiHotkey(GlobalHotkeys* system = nullptr) : system_(system) {}
    ~ApiHotkey() { Unregister(); }
    ApiHotkey(const ApiHotkey&) = delete;
    ApiHotkey& operator=(const ApiHotkey&) = delete;

    bool AltKey() const { return (Modifier_ & MOD_ALT) != 0; }
    bool ControlKey() const { return (Modifier_ & MOD_CONTROL) != 0; }
    bool ShiftKey() const { return (Modifier_ & MOD_SHIFT) != 0; }
    bool WinKey() const { return (Modifier_ & MOD_WIN) != 0; }
    void setAltKey(bool on) { setBit(MOD_ALT, on); }
    void setControlKey(bool on) { setBit(MOD_CONTROL, on); }
    void setShiftKey(bool on) { setBit(MOD_SHIFT, on); }
    void setWinKey(bool on) { setBit(MOD_WIN, on); }

    quint32 Modifier() const { return Modifier_; }
    void setModifier(quint32 modifier) { Modifier_ = modifier; }
    quint32 VKey() const { return VKey_; }
    void setVKey(quint32 key) { VKey_ = key; }
    quint32 hWnd() const { return hWnd_; }
    void sethWnd(quint32 window) { hWnd_ = window; }
    quint32 hAtom() const { return hAtom_; }
    quint32 hKey() const { return hKey_; }

    // "hwnd:" and the receiving window in decimal: shared by every hotkey of one window.
    QString UniqueKey() const;
    // "WIN+", "SHIFT+", "CONTROL+", "ALT+" for the keys held, then the key code with at least three
    // digits: Ctrl+Shift+C is "SHIFT+CONTROL+067".
    QString UniqueAtomName() const;

    // Names the combination with a fresh atom and grabs it; a refusal goes to the error reporter
    // with the source "ApiHotkey:Register". Any earlier grab of this object is released first.
    void Register();
    // Releases the grab and the atom; nothing happens when no atom is held.
    void Unregister();
    // Sets the keys named by the atom's name (see ReadFromAtomName).
    void ReadFromAtom(quint32 atom);
    // Sets each modifier named in `name` (others stay as they are) and, when the name ends in a
    // number after its last "+", the key code from that number.
    void ReadFromAtomName(const QString& name);
    // Same Alt, Control, Shift and Windows keys and the same key code.
    bool MatchedKey(const ApiHotkey& testKey) const;

    void setErrorReporter(ErrorReporter reporter) { reporter_ = std::move(reporter); }

private:
    void setBit(quint32 bit, bool on) { Modifier_ = on ? (Modifier_ | bit) : (Modifier_ & ~bit); }

    GlobalHotkeys* system_;
    ErrorReporter reporter_;
    quint32 Modifier_ = 0;
    quint32 VKey_ = 0;
    quint32 hWnd_ = 0;
    quint32 hAtom_ = 0;
    quint32 hKey_ = 0;
};
