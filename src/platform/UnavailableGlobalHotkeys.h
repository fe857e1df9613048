#pragma once

#include "platform/GlobalHotkeys.h"
#include "platform/LocalAtomTable.h"

// Sessions whose window system lets no program grab a key combination for itself (Wayland without
// X11, offscreen): atoms live in the process and every grab is refused with `reason`.
class UnavailableGlobalHotkeys : public GlobalHotkeys {
    Q_OBJECT

public:
    explicit UnavailableGlobalHotkeys(QString reason, QObject* parent = nullptr)
        : GlobalHotkeys(parent), reason_(std::move(reason)) {}

    // Refuses with a text that names the session's window system.
    static std::unique_ptr<GlobalHotkeys> forThisSession(QObject* parent);

    bool canGrab() const override { return false; }
    quint32 window() const override { return 0; }
    quint32 addAtom(const QString& name) override { return atoms_.add(name); }
    QString atomName(quint32 atom) const override { return atoms_.name(atom); }
    void deleteAtom(quint32 atom) override { atoms_.remove(atom); }
    QString grab(quint32, quint32, quint32) override { return reason_; }
    void release(quint32) override {}

private:
    QString reason_;
    LocalAtomTable atoms_;
};
