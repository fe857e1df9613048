#pragma once

#include <QObject>
#include <QString>
#include <memory>

// System-wide key combinations as the window system offers them. A combination is named by an
// atom (an identifier interned from a text) and grabbed for the window that is told of its
// presses. Key codes are Windows virtual-key codes; modifiers use the bits of ApiHotkey.
class GlobalHotkeys : public QObject {
    Q_OBJECT

public:
    using QObject::QObject;

    // False where the window system lets no program grab a combination at all.
    virtual bool canGrab() const = 0;
    // The window that receives the presses of this process's combinations (0 when none exists).
    virtual quint32 window() const = 0;
    // Interns a name and returns its atom; 0 when the name cannot be an atom.
    virtual quint32 addAtom(const QString& name) = 0;
    // The name of an atom; empty for an unknown one.
    virtual QString atomName(quint32 atom) const = 0;
    virtual void deleteAtom(quint32 atom) = 0;
    // Grabs the combination under the identifier `id`. Empty on success, otherwise why it failed;
    // a failed grab leaves nothing grabbed.
    virtual QString grab(quint32 id, quint32 modifiers, quint32 virtualKey) = 0;
    // Releases what `id` grabbed; an identifier that holds nothing is ignored.
    virtual void release(quint32 id) = 0;

Q_SIGNALS:
    // A grabbed combination was pressed on `window`: its key code and the modifiers held.
    void pressed(quint32 window, quint32 virtualKey, quint32 modifiers);
};

// The window system's own facility where it has one (X11), otherwise one that refuses every grab
// with a text saying why.
std::unique_ptr<GlobalHotkeys> createGlobalHotkeys(QObject* parent = nullptr);
