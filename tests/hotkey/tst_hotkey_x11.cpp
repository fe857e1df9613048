#include "support/DesktopSession.h"

#include <X11/Xlib.h>
#include <X11/keysym.h>
#include <QtTest>

namespace {
int refusals = 0;
int countRefusal(Display*, XErrorEvent* error) {
    refusals += error->error_code == BadAccess ? 1 : 0;
    return 0;
}

// Another program on the display that wants Ctrl+Shift+C for itself.
class OtherClient {
public:
    OtherClient() : display_(XOpenDisplay(nullptr)) {}
    ~OtherClient() {
        if (display_ != nullptr) {
            XCloseDisplay(display_);
        }
    }
    bool grabCtrlShiftC() { return change(true); }
    // The modifier and lock state the server holds now (NumLock is Mod2 on a standard keymap).
    unsigned lockState() {
        Window root = 0;
        Window child = 0;
        int x = 0;
        int y = 0;
        unsigned mask = 0;
        XQueryPointer(display_, DefaultRootWindow(display_), &root, &child, &x, &y, &x, &y, &mask);
        return mask & (LockMask | Mod2Mask);
    }
    void releaseCtrlShiftC() { change(false); }

private:
    bool change(bool take) {
        const KeyCode c = XKeysymToKeycode(display_, XK_c);
        refusals = 0;
        auto* previous = XSetErrorHandler(countRefusal);
        if (take) {
            XGrabKey(display_, c, ShiftMask | ControlMask, DefaultRootWindow(display_), False, GrabModeAsync,
                     GrabModeAsync);
        } else {
            XUngrabKey(display_, c, ShiftMask | ControlMask, DefaultRootWindow(display_));
        }
        XSync(display_, False);
        XSetErrorHandler(previous);
        return refusals == 0;
    }
    Display* display_;
};
}  // namespace

// Ctrl+Shift+C pressed on the X display, as a user presses it, with the program running.
class HotkeyX11Test : public QObject {
    Q_OBJECT

    DesktopSession session;

    bool monitorOpen() const { return !session.window(" Quorvane").isEmpty(); }
    static void press(const char* keys) { DesktopSession::xdotool({"key", QString::fromLatin1(keys)}); }

    // Clears or sets "Use hotkey ..." in the tray menu: the options submenu is seventh from the
    // bottom, the item seventh in it. The hover pop-up, which would cover the icon, must be gone.
    bool toggleHotkeyItem() {
        if (!QTest::qWaitFor([this] { return session.window("Quorvane pop-up").isEmpty(); }, 8000) ||
            !session.openTrayMenu()) {
            return false;
        }
        for (const char* key : {"Up", "Up", "Up", "Up", "Up", "Up", "Up", "Right", "Down", "Down", "Down",
                                "Down", "Down", "Down", "Return"}) {
            press(key);
        }
        DesktopSession::movePointer(QPoint(100, 100));
        return true;
    }

private Q_SLOTS:
    void initTestCase() {
        QString why;
        if (!session.available(&why)) {
            QSKIP(qPrintable(why));
        }
        session.keepErrorOutput();
        const bool started = session.startInTray(
            "Defined=Yes\nShowCPU=1\nShowPhysMem=1\nShowSplash=0\nVersionCheck=False\nShowStatsAtStartup=0\n"
            "ShowExitPrompt=False\nUseHotkey=True\n",
            &why);
        QVERIFY2(started, qPrintable(why));
    }

    void cleanupTestCase() { session.stopProgram(); }

    void pressOpensAndClosesTheMonitorWindow() {
        QVERIFY(!monitorOpen());
        press("ctrl+c");  // had this opened the window, the next press would close it
        press("ctrl+shift+c");
        QTRY_VERIFY_WITH_TIMEOUT(monitorOpen(), 5000);
        press("ctrl+shift+c");
        QTRY_VERIFY_WITH_TIMEOUT(!monitorOpen(), 5000);
    }

    void numLockAndCapsLockDoNotStopIt() {
        OtherClient observer;
        const std::pair<const char*, unsigned> locks[] = {{"Num_Lock", Mod2Mask}, {"Caps_Lock", LockMask}};
        for (const auto& [lock, mask] : locks) {
            press(lock);
            QTRY_VERIFY((observer.lockState() & mask) != 0);
            press("ctrl+shift+c");
            QTRY_VERIFY_WITH_TIMEOUT(monitorOpen(), 5000);
            press("ctrl+shift+c");
            QTRY_VERIFY_WITH_TIMEOUT(!monitorOpen(), 5000);
        }
        press("Caps_Lock");
        press("Num_Lock");
        QTRY_COMPARE(observer.lockState(), 0u);
    }

    void clearingTheTrayItemLetsTheCombinationGo() {
        QVERIFY(toggleHotkeyItem());
        QTRY_VERIFY_WITH_TIMEOUT(session.settings().contains("UseHotkey=False"), 5000);
        OtherClient other;
        QVERIFY2(other.grabCtrlShiftC(), "the program still holds Ctrl+Shift+C");
        press("ctrl+shift+c");  // goes to the other client now
        other.releaseCtrlShiftC();

        QVERIFY(toggleHotkeyItem());
        QTRY_VERIFY_WITH_TIMEOUT(session.settings().contains("UseHotkey=True"), 5000);
        QVERIFY(!monitorOpen());
        press("ctrl+shift+c");
        QTRY_VERIFY_WITH_TIMEOUT(monitorOpen(), 5000);
        press("ctrl+shift+c");
        QTRY_VERIFY_WITH_TIMEOUT(!monitorOpen(), 5000);
        QVERIFY(!session.errorOutput().contains("ApiHotkey"));
    }

    void aCombinationHeldElsewhereIsReported() {
        session.stopProgram();
        OtherClient other;
        QVERIFY(other.grabCtrlShiftC());
        QVERIFY(session.startProgram());
        QTRY_VERIFY_WITH_TIMEOUT(session.errorOutput().contains("ApiHotkey:Register"), 15000);
        QVERIFY(session.errorOutput().contains("already in use"));
        QCOMPARE(session.program().state(), QProcess::Running);
        other.releaseCtrlShiftC();
    }
};

QTEST_GUILESS_MAIN(HotkeyX11Test)
#include "tst_hotkey_x11.moc"
