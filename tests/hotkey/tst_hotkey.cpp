#include "hotkey/ApiHotkey.h"
#include "hotkey/VBHotKey.h"
#include "platform/LocalAtomTable.h"
#include "platform/UnavailableGlobalHotkeys.h"

#include <QtTest>

namespace {
// A window system that grants every grab (or refuses them all) and remembers what is held.
class FakeGlobalHotkeys : public GlobalHotkeys {
public:
    QString refusal;
    std::map<quint32, QString> held;  // id -> atom name of the held combination
    int grabs = 0;

    bool canGrab() const override { return true; }
    quint32 window() const override { return 4242; }
    quint32 addAtom(const QString& name) override { return atoms.add(name); }
    QString atomName(quint32 atom) const override { return atoms.name(atom); }
    void deleteAtom(quint32 atom) override { atoms.remove(atom); }
    QString grab(quint32 id, quint32, quint32) override {
        ++grabs;
        if (refusal.isEmpty()) {
            held[id] = atoms.name(id);
        }
        return refusal;
    }
    void release(quint32 id) override { held.erase(id); }
    void press(quint32 window, quint32 key, quint32 modifiers) { Q_EMIT pressed(window, key, modifiers); }

    QStringList heldNames() const {
        QStringList names;
        for (const auto& [id, name] : held) {
            names << name;
        }
        return names;
    }

private:
    LocalAtomTable atoms;
};

// The controller's combination, Ctrl+Shift+C.
void setCtrlShiftC(VBHotKey& control) {
    control.setShiftKey(true);
    control.setCtrlKey(true);
    control.setWinKey(false);
    control.setVKey(67);
}
}  // namespace

class HotkeyTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void atomNameListsTheKeysHeldAndTheCode_data() {
        QTest::addColumn<quint32>("modifier");
        QTest::addColumn<quint32>("key");
        QTest::addColumn<QString>("name");
        QTest::newRow("Ctrl+Shift+C") << 6u << 67u << "SHIFT+CONTROL+067";
        QTest::newRow("Alt+F1") << 1u << 112u << "ALT+112";
        QTest::newRow("all four, a four-digit code") << 15u << 1067u << "WIN+SHIFT+CONTROL+ALT+1067";
        QTest::newRow("no modifier") << 0u << 9u << "009";
    }
    void atomNameListsTheKeysHeldAndTheCode() {
        QFETCH(quint32, modifier);
        QFETCH(quint32, key);
        ApiHotkey hotkey;
        hotkey.setAltKey(modifier & 1);
        hotkey.setControlKey(modifier & 2);
        hotkey.setShiftKey(modifier & 4);
        hotkey.setWinKey(modifier & 8);
        hotkey.setVKey(key);
        QCOMPARE(hotkey.Modifier(), modifier);
        QTEST(hotkey.UniqueAtomName(), "name");
    }

    void readFromAtomSetsTheNamedKeys_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<quint32>("modifier");
        QTest::addColumn<quint32>("key");
        // Before reading: Alt held and key code 5; keys the name does not mention stay.
        QTest::newRow("Ctrl+Shift+C") << "SHIFT+CONTROL+067" << 7u << 67u;
        QTest::newRow("four-digit code read whole") << "WIN+SHIFT+1067" << 13u << 1067u;
        QTest::newRow("no number at the end") << "CONTROL+x12" << 3u << 5u;
        QTest::newRow("modifiers only") << "WIN+" << 9u << 5u;
        QTest::newRow("too large for a key code") << "SHIFT+99999999999" << 5u << 5u;
        QTest::newRow("lower case is no modifier") << "shift+070" << 1u << 70u;
    }
    void readFromAtomSetsTheNamedKeys() {
        QFETCH(QString, name);
        UnavailableGlobalHotkeys system(QStringLiteral("none"));
        ApiHotkey hotkey(&system);
        hotkey.setAltKey(true);
        hotkey.setVKey(5);
        hotkey.ReadFromAtom(system.addAtom(name));
        QTEST(hotkey.Modifier(), "modifier");
        QTEST(hotkey.VKey(), "key");

        ApiHotkey roundTrip;
        roundTrip.ReadFromAtomName(hotkey.UniqueAtomName());
        QVERIFY(roundTrip.MatchedKey(hotkey));
    }

    void matchedKeyComparesEveryModifierAndTheCode() {
        ApiHotkey ctrlShiftC;
        ctrlShiftC.setModifier(ApiHotkey::MOD_CONTROL | ApiHotkey::MOD_SHIFT);
        ctrlShiftC.setVKey(67);
        ApiHotkey pressed;
        pressed.setVKey(67);
        for (quint32 modifier = 0; modifier < 16; ++modifier) {
            pressed.setModifier(modifier);
            QCOMPARE(ctrlShiftC.MatchedKey(pressed), modifier == 6);
        }
        pressed.setModifier(6);
        pressed.setVKey(68);
        QVERIFY(!ctrlShiftC.MatchedKey(pressed));
    }

    void enabledOffAndOnGrabsTheSameCombinationAgain() {
        FakeGlobalHotkeys system;
        VBHotKey control(system);
        setCtrlShiftC(control);
        control.start();
        QCOMPARE(control.hWnd(), 4242u);
        QCOMPARE(control.UniqueKey(), QStringLiteral("hwnd:4242"));
        QCOMPARE(system.heldNames(), QStringList{"SHIFT+CONTROL+067"});

        control.setEnabled(false);
        QVERIFY(system.held.empty());
        QCOMPARE(control.hAtom(), 0u);
        control.setVKey(68);  // no atom held: nothing is grabbed
        QVERIFY(system.held.empty());
        control.setVKey(67);
        control.setEnabled(true);
        QCOMPARE(system.heldNames(), QStringList{"SHIFT+CONTROL+067"});
        control.setEnabled(true);  // already on: not grabbed twice
        QCOMPARE(system.grabs, 2);

        control.setVKey(67);
        QCOMPARE(system.grabs, 2);
        control.setVKey(68);  // held: the new key replaces the old one at once
        QCOMPARE(system.heldNames(), QStringList{"SHIFT+CONTROL+068"});

        control.StopHotkey();
        QVERIFY(system.held.empty());
    }

    void onlyTheOwnCombinationOnTheOwnWindowIsAPress() {
        FakeGlobalHotkeys system;
        VBHotKey control(system);
        setCtrlShiftC(control);
        control.start();
        QSignalSpy presses(&control, &VBHotKey::HotkeyPressed);
        system.press(4242, 67, ApiHotkey::MOD_CONTROL);  // Ctrl+C
        system.press(4242, 67, ApiHotkey::MOD_CONTROL | ApiHotkey::MOD_SHIFT | ApiHotkey::MOD_ALT);
        system.press(1, 67, ApiHotkey::MOD_CONTROL | ApiHotkey::MOD_SHIFT);  // another window
        QCOMPARE(presses.count(), 0);
        system.press(4242, 67, ApiHotkey::MOD_CONTROL | ApiHotkey::MOD_SHIFT);
        QCOMPARE(presses.count(), 1);

        control.StopHotkey();
        system.press(4242, 67, ApiHotkey::MOD_CONTROL | ApiHotkey::MOD_SHIFT);
        QCOMPARE(presses.count(), 1);
    }

    void aRefusedGrabIsReportedAndHoldsNothing() {
        FakeGlobalHotkeys system;
        system.refusal = QStringLiteral("already in use");
        auto control = std::make_unique<VBHotKey>(system);
        setCtrlShiftC(*control);
        QSignalSpy errors(control.get(), &VBHotKey::HotkeyError);
        control->start();
        QCOMPARE(errors.count(), 1);
        QCOMPARE(errors.at(0).at(0).toString(), QStringLiteral("already in use"));
        QCOMPARE(errors.at(0).at(1).toString(), QStringLiteral("ApiHotkey:Register"));
        QCOMPARE(control->hKey(), 0u);
        QVERIFY(system.held.empty());

        system.refusal.clear();  // the other program let go: switching on again succeeds
        control->setEnabled(false);
        control->setEnabled(true);
        QCOMPARE(control->hKey(), 1u);
        control.reset();  // destroying the control lets the combination go
        QVERIFY(system.held.empty());
    }

    void withoutGrabsTheSessionIsToldOnce() {
        UnavailableGlobalHotkeys system(QStringLiteral("no grabs on Wayland"));
        VBHotKey control(system);
        QSignalSpy errors(&control, &VBHotKey::HotkeyError);
        control.start();
        control.setEnabled(false);
        control.setEnabled(true);
        QCOMPARE(errors.count(), 1);
        QCOMPARE(errors.at(0).at(0).toString(), QStringLiteral("no grabs on Wayland"));
        QCOMPARE(control.hKey(), 0u);
    }
};

QTEST_GUILESS_MAIN(HotkeyTest)
#include "tst_hotkey.moc"
