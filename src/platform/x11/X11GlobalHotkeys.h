#pragma once

#include "platform/GlobalHotkeys.h"

#include <QAbstractNativeEventFilter>
#include <map>

typedef struct _XDisplay Display;

// Global key combinations on an X11 display: a passive grab of the key on the root window, once
// for every state of NumLock and CapsLock so that neither stops the combination; the presses are
// read from Qt's event stream. Atoms are X atoms interned with the combination's name.
class X11GlobalHotkeys : public GlobalHotkeys, private QAbstractNativeEventFilter {
    Q_OBJECT

public:
    // `display` must be the connection Qt reads its events from.
    explicit X11GlobalHotkeys(Display* display, QObject* parent = nullptr);
    ~X11GlobalHotkeys() override;

    bool canGrab() const override { return true; }
    quint32 window() const override { return root_; }
    quint32 addAtom(const QString& name) override;
    QString atomName(quint32 atom) const override;
    void deleteAtom(quint32) override {}  // X atoms live as long as the server
    QString grab(quint32 id, quint32 modifiers, quint32 virtualKey) override;
    void release(quint32 id) override;

private:
    struct Grab {
        unsigned keycode = 0;
        unsigned modifierMask = 0;
        quint32 virtualKey = 0;
    };

    bool nativeEventFilter(const QByteArray& eventType, void* message, qintptr* result) override;
    unsigned numLockMask() const;
    // Grabs or ungrabs the key under every lock state; returns whether the server refused.
    bool changeGrabs(const Grab& grab, bool take);

    Display* display_;
    quint32 root_;
    std::map<quint32, Grab> grabs_;
};
