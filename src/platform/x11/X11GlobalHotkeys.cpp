#include "platform/x11/X11GlobalHotkeys.h"

#include "platform/x11/X11KeySymbols.h"

// Qt's headers first: Xlib defines macros (Status, None, ...) that Qt's headers also use as names.
#include <QCoreApplication>

#include <X11/Xlib.h>
#include <X11/keysym.h>
#include <xcb/xproto.h>

namespace {
constexpr quint32 kAlt = 1;
constexpr quint32 kControl = 2;
constexpr quint32 kShift = 4;
constexpr quint32 kWin = 8;

// Xlib reports a refused request to one process-wide handler; a grab in progress collects them.
int refusedRequests = 0;
int countRefusal(::Display*, XErrorEvent* error) {
    if (error->error_code == BadAccess || error->error_code == BadValue) {
        ++refusedRequests;
    }
    return 0;
}

unsigned xModifiers(quint32 modifiers) {
    return ((modifiers & kShift) ? ShiftMask : 0) | ((modifiers & kControl) ? ControlMask : 0) |
           ((modifiers & kAlt) ? Mod1Mask : 0) | ((modifiers & kWin) ? Mod4Mask : 0);
}

quint32 hotkeyModifiers(unsigned state) {
    return ((state & ShiftMask) ? kShift : 0) | ((state & ControlMask) ? kControl : 0) |
           ((state & Mod1Mask) ? kAlt : 0) | ((state & Mod4Mask) ? kWin : 0);
}
}  // namespace

X11GlobalHotkeys::X11GlobalHotkeys(::Display* display, QObject* parent)
    : GlobalHotkeys(parent), display_(display), root_(static_cast<quint32>(DefaultRootWindow(display))) {
    QCoreApplication::instance()->installNativeEventFilter(this);
}

X11GlobalHotkeys::~X11GlobalHotkeys() {
    while (!grabs_.empty()) {
        release(grabs_.begin()->first);
    }
    if (QCoreApplication::instance() != nullptr) {
        QCoreApplication::instance()->removeNativeEventFilter(this);
    }
}

quint32 X11GlobalHotkeys::addAtom(const QString& name) {
    if (name.isEmpty()) {
        return 0;
    }
    return static_cast<quint32>(XInternAtom(display_, name.toLatin1().constData(), False));
}

QString X11GlobalHotkeys::atomName(quint32 atom) const {
    int (*previous)(::Display*, XErrorEvent*) = XSetErrorHandler(countRefusal);  // BadAtom is no crash
    char* name = atom != 0 ? XGetAtomName(display_, atom) : nullptr;
    XSetErrorHandler(previous);
    if (name == nullptr) {
        return {};
    }
    const QString text = QString::fromLatin1(name);
    XFree(name);
    return text;
}

unsigned X11GlobalHotkeys::numLockMask() const {
    unsigned mask = 0;
    XModifierKeymap* map = XGetModifierMapping(display_);
    const KeyCode numLock = XKeysymToKeycode(display_, XK_Num_Lock);
    if (map != nullptr && numLock != 0) {
        for (int modifier = 0; modifier < 8; ++modifier) {
            for (int i = 0; i < map->max_keypermod; ++i) {
                if (map->modifiermap[modifier * map->max_keypermod + i] == numLock) {
                    mask = 1u << modifier;
                }
            }
        }
    }
    if (map != nullptr) {
        XFreeModifiermap(map);
    }
    return mask;
}

bool X11GlobalHotkeys::changeGrabs(const Grab& grab, bool take) {
    const unsigned numLock = numLockMask();
    const unsigned lockStates[] = {0, LockMask, numLock, numLock | LockMask};
    XSync(display_, False);  // earlier requests' errors are not ours to count
    refusedRequests = 0;
    int (*previous)(::Display*, XErrorEvent*) = XSetErrorHandler(countRefusal);
    for (const unsigned locks : lockStates) {
        if (take) {
            XGrabKey(display_, static_cast<int>(grab.keycode), grab.modifierMask | locks, root_, False,
                     GrabModeAsync, GrabModeAsync);
        } else {
            XUngrabKey(display_, static_cast<int>(grab.keycode), grab.modifierMask | locks, root_);
        }
    }
    XSync(display_, False);
    XSetErrorHandler(previous);
    return refusedRequests > 0;
}

QString X11GlobalHotkeys::grab(quint32 id, quint32 modifiers, quint32 virtualKey) {
    release(id);
    const quint32 keysym = keysymForVirtualKey(virtualKey);
    if (keysym == 0) {
        return QStringLiteral("The key code %1 names no key that X11 can grab.").arg(virtualKey);
    }
    const KeyCode keycode = XKeysymToKeycode(display_, keysym);
    if (keycode == 0) {
        return QStringLiteral("No key of this keyboard produces %1.")
            .arg(QString::fromLatin1(XKeysymToString(keysym)));
    }
    const Grab wanted{keycode, xModifiers(modifiers), virtualKey};
    if (changeGrabs(wanted, true)) {
        changeGrabs(wanted, false);  // the lock states that were granted go back too
        return QStringLiteral(
            "The key combination is already in use: another program holds it (X11 refused the grab "
            "with BadAccess).");
    }
    grabs_[id] = wanted;
    return {};
}

void X11GlobalHotkeys::release(quint32 id) {
    const auto found = grabs_.find(id);
    if (found == grabs_.end()) {
        return;
    }
    changeGrabs(found->second, false);
    grabs_.erase(found);
}

bool X11GlobalHotkeys::nativeEventFilter(const QByteArray& eventType, void* message, qintptr*) {
    if (eventType != "xcb_generic_event_t") {
        return false;
    }
    const auto* event = static_cast<const xcb_generic_event_t*>(message);
    if ((event->response_type & 0x7F) != XCB_KEY_PRESS) {
        return false;
    }
    const auto* press = static_cast<const xcb_key_press_event_t*>(message);
    if (press->event != root_) {
        return false;
    }
    const unsigned relevant = ShiftMask | ControlMask | Mod1Mask | Mod4Mask;
    for (const auto& [id, grab] : grabs_) {
        if (grab.keycode == press->detail && grab.modifierMask == (press->state & relevant)) {
            Q_EMIT pressed(root_, grab.virtualKey, hotkeyModifiers(press->state));
            return true;
        }
    }
    return false;
}
