#include "app/TrayCommands.h"
#include "app/TrayHover.h"
#include "support/MemorySettingsStore.h"
#include "support/RecordingMenuServices.h"

#include <QtTest>

class TrayCommandsTest : public QObject {
    Q_OBJECT

    std::unique_ptr<MemorySettingsStore> store;
    std::unique_ptr<AppSettings> settings;
    std::unique_ptr<RecordingMenuServices> services;
    std::unique_ptr<Menu> menu;
    QRect icon{1200, 776, 24, 24};
    QPoint cursor{1210, 786};

    std::unique_ptr<TrayHover> tray;
    TrayHover& hover() {
        tray = std::make_unique<TrayHover>(
            *menu, *services,
            TrayHover::Screen{[this] { return icon; }, [this] { return cursor; }, [] { return 800; }});
        return *tray;
    }

private Q_SLOTS:
    void init() {
        tray.reset();
        store = std::make_unique<MemorySettingsStore>();
        settings = std::make_unique<AppSettings>(*store);
        services = std::make_unique<RecordingMenuServices>();
        store->write("Defined", "Yes");
        store->write("ShowCPU", "1");
        menu = std::make_unique<Menu>(*settings, *services, PlatformFacts::linux(), QString());
        menu->load();
        services->calls.clear();
    }

    void togglesStoreTheirKeyInItsForm_data() {
        QTest::addColumn<int>("toggle");
        QTest::addColumn<QString>("key");
        QTest::addColumn<QString>("off");
        QTest::addColumn<QString>("on");
        QTest::newRow("splash") << int(TrayToggle::mnuSplash) << "ShowSplash"
                                << "0"
                                << "1";
        QTest::newRow("on top") << int(TrayToggle::mnuOnTop) << "ShowOnTop"
                                << "0"
                                << "1";
        QTest::newRow("monitor at start") << int(TrayToggle::mnuStartupMonitor) << "ShowStatsAtStartup"
                                          << "0"
                                          << "1";
        QTest::newRow("exit prompt") << int(TrayToggle::mnuExitPrompt) << "ShowExitPrompt"
                                     << "False"
                                     << "True";
        QTest::newRow("hotkey") << int(TrayToggle::mnuHotkey) << "UseHotkey"
                                << "False"
                                << "True";
        QTest::newRow("sync at start") << int(TrayToggle::mnuSyncAtStart) << "TimeSyncOnStart"
                                       << "False"
                                       << "True";
        QTest::newRow("version check") << int(TrayToggle::mnuUpdateCheckAtStart) << "VersionCheck"
                                       << "False"
                                       << "True";
    }
    void togglesStoreTheirKeyInItsForm() {
        QFETCH(int, toggle);
        QFETCH(QString, key);
        QFETCH(QString, off);
        QFETCH(QString, on);
        TrayCommands commands(*menu, *services);
        const auto item = TrayToggle(toggle);
        const bool before = TrayCommands::item(menu->menuState(), item).checked;
        commands.toggle(item);
        QCOMPARE(TrayCommands::item(menu->menuState(), item).checked, !before);
        QCOMPARE(store->read(key), std::optional<QString>(before ? off : on));
        commands.toggle(item);
        QCOMPARE(store->read(key), std::optional<QString>(before ? on : off));
    }

    void openOptionsDialogMirrorsWithoutPendingChanges_data() {
        QTest::addColumn<bool>("pendingChanges");
        QTest::newRow("unsaved changes") << true;
        QTest::newRow("nothing pending") << false;
    }
    void openOptionsDialogMirrorsWithoutPendingChanges() {
        QFETCH(bool, pendingChanges);
        menu->menuState().mnuOptions.enabled = false;  // the dialog is open
        services->optionsApply = pendingChanges;
        TrayCommands(*menu, *services).toggle(TrayToggle::mnuSplash);
        QVERIFY(services->called("mirror Check0(3)=0"));
        QCOMPARE(services->optionsApply, pendingChanges);
    }

    void transparencyWithTheMonitorClosed() {
        menu->sharedState().transparentLevel = 75;
        TrayCommands(*menu, *services).toggle(TrayToggle::mnuTransparent);
        QVERIFY(!menu->sharedState().transparentChecked);
        QCOMPARE(store->read("ShowTransparent"), std::optional<QString>("False"));
        TrayCommands(*menu, *services).toggle(TrayToggle::mnuTransparent);
        QVERIFY(menu->sharedState().transparentChecked);
        QVERIFY(services->called("setMonitorTranslucency(1,191)"));
    }

    void startupMarkFollowsTheEntry() {
        services->shortcutCanBeCreated = false;
        TrayCommands commands(*menu, *services);
        commands.toggle(TrayToggle::mnuStartup);
        QVERIFY(services->called("createStartupShortcut"));
        QVERIFY(!menu->menuState().mnuStartup.checked);
        services->shortcutCanBeCreated = true;
        commands.toggle(TrayToggle::mnuStartup);
        QVERIFY(menu->menuState().mnuStartup.checked);
        commands.toggle(TrayToggle::mnuStartup);
        QVERIFY(services->called("removeStartupShortcut"));
        QVERIFY(!menu->menuState().mnuStartup.checked);
    }

    void quickDisplayOffStopsHovering() {
        menu->Timer2.start();
        menu->Timer3.start();
        services->popupOpen = true;
        TrayCommands(*menu, *services).toggle(TrayToggle::mnuQuickDisplay);
        QVERIFY(!menu->Timer2.isActive());
        QVERIFY(!menu->Timer3.isActive());
        QVERIFY(!services->popupOpen);
    }

    void monitoringSwitch() {
        TrayCommands commands(*menu, *services);
        commands.mnuMonitor_Click();
        QVERIFY(menu->Timer1.isActive());
        QCOMPARE(menu->Timer1.interval(), 5000);
        QCOMPARE(store->read("MonitorLevels"), std::optional<QString>("True"));
        commands.mnuMonitor_Click();
        QVERIFY(!menu->Timer1.isActive());
        QVERIFY(services->called("hideBalloon"));
        QCOMPARE(store->read("MonitorLevels"), std::optional<QString>("False"));
    }

    void hotkeyShowsAndHidesTheMonitor() {
        TrayCommands commands(*menu, *services);
        commands.hotkeyPressed(true);
        QCOMPARE(services->calls, (QStringList{"unloadOptionsDialog", "showMonitorWindow"}));
        menu->menuState().mnuDisplay.enabled = false;  // the monitor window is open
        commands.hotkeyPressed(true);
        QCOMPARE(services->calls.last(), QStringLiteral("unloadMonitorWindow"));
        services->calls.clear();
        commands.hotkeyPressed(false);
        QVERIFY(services->calls.isEmpty());
    }

    void optionsCommandsSelectTheirPage() {
        TrayCommands(*menu, *services).showOptionsPage(3);
        QCOMPARE(services->calls,
                 (QStringList{"unloadMonitorWindow", "showOptionsDialog(3)", "processPendingEvents"}));
    }

    void singleClickOnlyClosesThePopup() {
        services->popupOpen = true;
        menu->Timer2.start();
        TrayHover& hovering = hover();
        hovering.leftButtonUp();
        QVERIFY(!menu->Timer2.isActive());
        QCOMPARE(services->calls, QStringList{"unloadPopup"});
    }

    void rightClickClosesThePopupThenShowsTheMenu() {
        services->popupOpen = true;
        QStringList order;
        TrayHover& hovering = hover();
        hovering.rightButtonUp([&] { order << (services->popupOpen ? "menu over popup" : "menu"); });
        QCOMPARE(order, QStringList{"menu"});
    }

    void restingOnTheIconOpensThePopup() {
        TrayHover& hovering = hover();
        hovering.hoverStart();
        QVERIFY(menu->Timer3.isActive());
        hovering.timer3Tick();
        QVERIFY(menu->Timer2.isActive());
        QCOMPARE(menu->Timer2.interval(), 1000);
        hovering.timer3Tick();  // enabling again keeps the countdown
        hovering.timer2Tick();
        QVERIFY(services->popupOpen);
        QVERIFY(!menu->Timer3.isActive());
    }

    void repeatedEnablingKeepsTheCountdown() {
        TrayHover& hovering = hover();
        hovering.hoverStart();
        hovering.timer3Tick();
        const int first = menu->Timer2.remainingTime();
        QTest::qWait(300);
        hovering.timer3Tick();
        QVERIFY2(menu->Timer2.remainingTime() < first - 150, "the second enabling restarted the delay");
    }

    void leavingBeforeTheSecondIsOut() {
        TrayHover& hovering = hover();
        hovering.hoverStart();
        hovering.timer3Tick();
        cursor = icon.topLeft() - QPoint(1, 0);
        hovering.timer3Tick();
        QVERIFY(!menu->Timer2.isActive());
        QVERIFY(!menu->Timer3.isActive());
        QVERIFY(!services->called("showPopup"));
    }

    void iconEdgesCountAsInside() {
        TrayHover& hovering = hover();
        cursor = icon.bottomRight();
        hovering.hoverStart();
        hovering.timer3Tick();
        QVERIFY(menu->Timer2.isActive());
    }

    void unknownIconRectangleEndsTracking() {
        icon = QRect(QPoint(1280, 776), QSize(0, 0));
        cursor = QPoint(1280, 776);
        TrayHover& hovering = hover();
        hovering.hoverStart();
        hovering.timer3Tick();
        QVERIFY(!menu->Timer3.isActive());
        QVERIFY(!menu->Timer2.isActive());
    }

    void popupAllowed_data() {
        QTest::addColumn<bool>("quickDisplay");
        QTest::addColumn<bool>("optionsOpen");
        QTest::addColumn<int>("page");
        QTest::addColumn<bool>("allowed");
        QTest::newRow("plain") << true << false << 0 << true;
        QTest::newRow("quick display off") << false << false << 0 << false;
        QTest::newRow("options on page 1") << true << true << 1 << false;
        QTest::newRow("options on page 0") << true << true << 0 << true;
    }
    void popupAllowed() {
        QFETCH(bool, quickDisplay);
        QFETCH(bool, optionsOpen);
        QFETCH(int, page);
        QFETCH(bool, allowed);
        menu->menuState().mnuQuickDisplay.checked = quickDisplay;
        menu->menuState().mnuOptions.enabled = !optionsOpen;
        services->optionsPage = page;
        QCOMPARE(hover().IsQuickPopupAllowed(), allowed);
    }

    void nothingSelectedMeansNoHover() {
        menu->menuState().mnuDisplay.enabled = false;
        hover().hoverStart();
        QVERIFY(!menu->Timer3.isActive());
    }
};

QTEST_GUILESS_MAIN(TrayCommandsTest)
#include "tst_traycommands.moc"
