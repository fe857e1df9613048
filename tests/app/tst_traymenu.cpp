#include "app/TrayIcon.h"
#include "support/MemorySettingsStore.h"
#include "support/RecordingMenuServices.h"

#include <QtTest>

class TrayMenuTest : public QObject {
    Q_OBJECT

    MemorySettingsStore store;
    AppSettings settings{store};
    RecordingMenuServices services;

    static QStringList captions(const QMenu& menu) {
        QStringList result;
        for (const QAction* action : menu.actions()) {
            result << (action->isSeparator() ? QStringLiteral("-") : action->text());
        }
        return result;
    }

private Q_SLOTS:
    void itemsInOrder() {
        Menu menu(settings, services, PlatformFacts::linux(), QString());
        menu.load();
        TrayIcon tray(menu, services);
        QCOMPARE(captions(tray.MenuTray()),
                 (QStringList{"Show System Monitor", "Monitor for Threshold Violations?", "Quorvane Options",
                              "-", "Select Time Server", "Synchronize Clock Now",
                              "Synchronize Clock When Program Starts?", "-", "Check for new version",
                              "About Quorvane", "Exit"}));
        QMenu* options = tray.MenuTray().actions().at(2)->menu();
        QVERIFY(options);
        QCOMPARE(captions(*options),
                 (QStringList{
                     "Run program at log-in?", "Display splash screen during program StartUp?",
                     "Automatically (daily) check for program updates?",
                     "Show system monitor after program StartUp?",
                     "Show system monitor on top of other windows?", "Show system monitor as transparent?",
                     "Use hotkey (Ctrl+Shift+C) to show/hide system monitor?",
                     "Show \"popup\" information about system-monitor display items?",
                     "Show \"popup\" monitor when mouse is over the Tray icon?",
                     "Display exit prompt when closing program?", "-", "Define Main Options",
                     "Select Items to Monitor"}));
    }

    void menuShowsTheLiveStateAndTogglesStore() {
        store.write("ShowOnTop", "0");
        Menu menu(settings, services, PlatformFacts::linux(), QString());
        menu.load();
        TrayIcon tray(menu, services);
        tray.syncMenu();
        QAction* onTop = tray.action("mnuOnTop");
        QVERIFY(!onTop->isChecked());
        QVERIFY(!tray.action("mnuDisplay")->isEnabled());
        onTop->trigger();
        QVERIFY(onTop->isChecked());
        QVERIFY(menu.menuState().mnuOnTop.checked);
        QCOMPARE(store.read("ShowOnTop"), std::optional<QString>("1"));
    }
};

QTEST_MAIN(TrayMenuTest)
#include "tst_traymenu.moc"
