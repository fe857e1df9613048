#include "app/TrayIcon.h"
#include "support/ControllerRig.h"

#include <QtTest>

class TrayMenuTest : public QObject {
    Q_OBJECT

    ControllerRig rig;
    MemorySettingsStore& store = rig.store;
    RecordingMenuServices& services = rig.services;

    static QStringList captions(const QMenu& menu) {
        QStringList result;
        for (const QAction* action : menu.actions()) {
            result << (action->isSeparator() ? QStringLiteral("-") : action->text());
        }
        return result;
    }

private Q_SLOTS:
    void itemsInOrder() {
        Menu& menu = rig.start();
        TrayIcon tray(menu, services, services);
        QCOMPARE(captions(tray.MenuTray()),
                 (QStringList{"Show System Monitor", "Monitor for Threshold Violations?", "Quorvane Options",
                              "-", "Select Time Server", "Synchronize Clock Now",
                              "Synchronize Clock When Program Starts?", "-", "Check for new version",
                              "About Quorvane", "Exit"}));
        QMenu* options = tray.MenuTray().actions().at(2)->menu();
        QVERIFY(options);
        QCOMPARE(captions(*options),
                 (QStringList{"Run program at log-in?", "Display splash screen during program StartUp?",
                              "Automatically (daily) check for program updates?",
                              "Show system monitor after program StartUp?",
                              "Show system monitor on top of other windows?",
                              "Show system monitor as transparent?",
                              "Use hotkey (Ctrl+Shift+C) to show/hide system monitor?",
                              "Show \"popup\" information about system-monitor display items?",
                              "Show \"popup\" monitor when mouse is over the Tray icon?",
                              "Display exit prompt when closing program?", "-", "Define Main Options",
                              "Select Items to Monitor"}));
    }

    void menuShowsTheLiveStateAndTogglesStore() {
        store.write("ShowOnTop", "0");
        Menu& menu = rig.start();
        TrayIcon tray(menu, services, services);
        tray.syncMenu();
        QAction* onTop = tray.action("mnuOnTop");
        QVERIFY(!onTop->isChecked());
        QVERIFY(!tray.action("mnuDisplay")->isEnabled());
        onTop->trigger();
        QVERIFY(onTop->isChecked());
        QVERIFY(menu.menuState().mnuOnTop.checked);
        QCOMPARE(store.read("ShowOnTop"), std::optional<QString>("1"));
    }

    // Switched off, the pop-up on hover stops at once: no countdown may open it a moment later.
    void quickDisplayOffStopsHovering() {
        Menu& menu = rig.start();
        TrayIcon tray(menu, services, services);
        tray.hover().Timer2.start();
        tray.hover().Timer3.start();
        services.popupOpen = true;
        tray.action("mnuQuickDisplay")->trigger();
        QVERIFY(!menu.menuState().mnuQuickDisplay.checked);
        QVERIFY(!tray.hover().Timer2.isActive());
        QVERIFY(!tray.hover().Timer3.isActive());
        QVERIFY(!services.popupOpen);
    }
};

QTEST_MAIN(TrayMenuTest)
#include "tst_traymenu.moc"
