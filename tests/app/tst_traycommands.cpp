#include "app/TrayCommands.h"
#include "app/TrayHover.h"
#include "support/ControllerRig.h"

#include <QtTest>

class TrayCommandsTest : public QObject {
    Q_OBJECT

    std::unique_ptr<ControllerRig> rig;
    MemorySettingsStore* store = nullptr;
    RecordingMenuServices* services = nullptr;
    Menu* menu = nullptr;
    QRect icon{1200, 776, 24, 24};
    QPoint cursor{1210, 786};

    std::unique_ptr<TrayHover> tray;
    TrayHover& hover() {
        tray = std::make_unique<TrayHover>(
            menu->menuState(), false, *services,
            TrayHover::Screen{[this] { return icon; }, [this] { return cursor; }, [] { return 800; }});
        return *tray;
    }

private Q_SLOTS:
    void init() {
        tray.reset();
        rig = std::make_unique<ControllerRig>();
        store = &rig->store;
        services = &rig->services;
        rig->set("Defined", "Yes");
        rig->set("ShowCPU", "1");
        menu = &rig->start();
        services->calls.clear();
    }

    void togglesStoreTheirKeyInItsForm_data() {
        QTest::addColumn<int>("toggle");
        QTest::addColumn<QString>("key");
        QTest::addColumn<QString>("off");
        QTest::addColumn<QString>("on");
        QTest::newRow("splash") << int(GeneralOption::Splash) << "ShowSplash"
                                << "0"
                                << "1";
        QTest::newRow("on top") << int(GeneralOption::OnTop) << "ShowOnTop"
                                << "0"
                                << "1";
        QTest::newRow("monitor at start") << int(GeneralOption::StartupMonitor) << "ShowStatsAtStartup"
                                          << "0"
                                          << "1";
        QTest::newRow("exit prompt") << int(GeneralOption::ExitPrompt) << "ShowExitPrompt"
                                     << "False"
                                     << "True";
        QTest::newRow("hotkey") << int(GeneralOption::Hotkey) << "UseHotkey"
                                << "False"
                                << "True";
        QTest::newRow("sync at start") << int(GeneralOption::SyncAtStart) << "TimeSyncOnStart"
                                       << "False"
                                       << "True";
        QTest::newRow("version check") << int(GeneralOption::UpdateCheckAtStart) << "VersionCheck"
                                       << "False"
                                       << "True";
    }
    void togglesStoreTheirKeyInItsForm() {
        QFETCH(int, toggle);
        QFETCH(QString, key);
        QFETCH(QString, off);
        QFETCH(QString, on);
        TrayCommands commands(*menu, *services);
        const auto item = GeneralOption(toggle);
        const bool before = menu->generalOptions().isOn(item);
        commands.toggle(item);
        QCOMPARE(menu->generalOptions().isOn(item), !before);
        QCOMPARE(store->read(key), std::optional<QString>(before ? off : on));
        commands.toggle(item);
        QCOMPARE(store->read(key), std::optional<QString>(before ? on : off));
    }

    void transparencyWithTheMonitorClosed() {
        TrayCommands(*menu, *services).toggle(GeneralOption::Transparent);
        QVERIFY(!menu->menuState().mnuTransparent.checked);
        QCOMPARE(store->read("ShowTransparent"), std::optional<QString>("False"));
    }

    void startupMarkFollowsTheEntry() {
        rig->startupEntry.canBeCreated = false;
        TrayCommands commands(*menu, *services);
        commands.toggle(GeneralOption::Startup);
        QCOMPARE(rig->startupEntry.calls, QStringList{"create"});
        QVERIFY(!menu->menuState().mnuStartup.checked);
        rig->startupEntry.canBeCreated = true;
        commands.toggle(GeneralOption::Startup);
        QVERIFY(menu->menuState().mnuStartup.checked);
        commands.toggle(GeneralOption::Startup);
        QCOMPARE(rig->startupEntry.calls.last(), QStringLiteral("remove"));
        QVERIFY(!menu->menuState().mnuStartup.checked);
    }

    void monitoringSwitch() {
        TrayCommands commands(*menu, *services);
        commands.mnuMonitor_Click();
        QVERIFY(services->watching);
        QVERIFY(menu->menuState().mnuMonitor.checked);
        QCOMPARE(store->read("MonitorLevels"), std::optional<QString>("True"));
        commands.mnuMonitor_Click();
        QVERIFY(!services->watching);
        QCOMPARE(store->read("MonitorLevels"), std::optional<QString>("False"));
    }

    void hotkeyShowsAndHidesTheMonitor() {
        TrayCommands commands(*menu, *services);
        commands.hotkeyPressed(true);
        QCOMPARE(services->calls.last(), QStringLiteral("showMonitorWindow"));
        menu->menuState().setMonitorOpen(true);
        commands.hotkeyPressed(true);
        QCOMPARE(services->calls.last(), QStringLiteral("closeMonitorWindow"));
        services->calls.clear();
        commands.hotkeyPressed(false);
        QVERIFY(services->calls.isEmpty());
    }

    void optionsCommandsSelectTheirPage() {
        TrayCommands(*menu, *services).showOptionsPage(3);
        QVERIFY(services->called("closeMonitorWindow"));
        QVERIFY(services->called("showOptionsDialog(3)"));
    }

    void singleClickOnlyClosesThePopup() {
        services->popupOpen = true;
        TrayHover& hovering = hover();
        hovering.Timer2.start();
        hovering.leftButtonUp();
        QVERIFY(!hovering.Timer2.isActive());
        QCOMPARE(services->calls, QStringList{"closePopup"});
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
        QVERIFY(hovering.Timer3.isActive());
        hovering.timer3Tick();
        QVERIFY(hovering.Timer2.isActive());
        QCOMPARE(hovering.Timer2.interval(), 1000);
        hovering.timer3Tick();  // enabling again keeps the countdown
        hovering.timer2Tick();
        QVERIFY(services->popupOpen);
        QVERIFY(!hovering.Timer3.isActive());
    }

    void repeatedEnablingKeepsTheCountdown() {
        TrayHover& hovering = hover();
        hovering.hoverStart();
        hovering.timer3Tick();
        const int first = hovering.Timer2.remainingTime();
        QTest::qWait(300);
        hovering.timer3Tick();
        QVERIFY2(hovering.Timer2.remainingTime() < first - 150, "the second enabling restarted the delay");
    }

    void leavingBeforeTheSecondIsOut() {
        TrayHover& hovering = hover();
        hovering.hoverStart();
        hovering.timer3Tick();
        cursor = icon.topLeft() - QPoint(1, 0);
        hovering.timer3Tick();
        QVERIFY(!hovering.Timer2.isActive());
        QVERIFY(!hovering.Timer3.isActive());
        QVERIFY(!services->called("showPopup"));
    }

    void iconEdgesCountAsInside() {
        TrayHover& hovering = hover();
        cursor = icon.bottomRight();
        hovering.hoverStart();
        hovering.timer3Tick();
        QVERIFY(hovering.Timer2.isActive());
    }

    void unknownIconRectangleEndsTracking() {
        icon = QRect(QPoint(1280, 776), QSize(0, 0));
        cursor = QPoint(1280, 776);
        TrayHover& hovering = hover();
        hovering.hoverStart();
        hovering.timer3Tick();
        QVERIFY(!hovering.Timer3.isActive());
        QVERIFY(!hovering.Timer2.isActive());
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
        menu->menuState().setSomethingToShow(false);
        TrayHover& hovering = hover();
        hovering.hoverStart();
        QVERIFY(!hovering.Timer3.isActive());
    }
};

QTEST_GUILESS_MAIN(TrayCommandsTest)
#include "tst_traycommands.moc"
