#include "settings/SettingsConversions.h"
#include "support/ControllerRig.h"

#include <QtTest>

namespace {
const QDateTime kNow = ControllerRig::kNow;
}

class MenuStartupTest : public QObject {
    Q_OBJECT

    std::unique_ptr<ControllerRig> rig = std::make_unique<ControllerRig>();
    MemorySettingsStore& store = rig->store;
    RecordingMenuServices& services = rig->services;

    Menu* start(const QString& commandLine = QString()) { return &rig->start(commandLine); }
    void set(const QString& key, const QString& value) { store.write(key, value); }
    void defineWatchedItems() { set("Defined", "Yes"); }

private Q_SLOTS:
    void init() {
        store = MemorySettingsStore();
        services = RecordingMenuServices();
        rig->startupEntry = FakeStartupEntry();
    }

    void emptyStoreRunsFirstStart() {
        auto menu = start();
        const TrayMenuState& m = menu->menuState();
        QVERIFY(services.called("showSplash"));
        QVERIFY(services.called("showOptionsDialog(0)"));
        for (const MenuItemState* item :
             {&m.mnuSplash, &m.mnuUpdateCheckAtStart, &m.mnuStartupMonitor, &m.mnuOnTop, &m.mnuHotkey,
              &m.mnuMonitorBalloon, &m.mnuQuickDisplay, &m.mnuExitPrompt, &m.mnuTransparent}) {
            QVERIFY(item->checked);
        }
        QVERIFY(m.mnuTransparent.enabled);
        QVERIFY(!m.mnuDisplay.enabled);
        QVERIFY(!m.mnuMonitor.enabled);
        QVERIFY(!m.mnuMonitor.checked);
        QVERIFY(!m.mnuSyncAtStart.checked);
        QVERIFY(!services.watching);
        QVERIFY(!services.called("showMonitorWindow"));
        QVERIFY(!services.called("startSynchronisation"));
        QCOMPARE(menu->sharedState().transparentLevel, 75);
        QCOMPARE(menu->sharedState().autoSyncDays, 7);
        QCOMPARE(menu->sharedState().currentServerHost, QStringLiteral("time.example.org"));
        QVERIFY(services.called("addTrayIcon( Quorvane)"));
        QVERIFY(services.called("setHotkeyEnabled(true)"));
        QVERIFY(services.called("checkForUpdates(false)"));  // "UpdateCheckLast" defaults to a year back
    }

    void splashFollowsNumericFlag_data() {
        QTest::addColumn<QString>("stored");
        QTest::addColumn<bool>("splash");
        QTest::addColumn<bool>("checked");
        QTest::newRow("0") << "0" << false << false;
        QTest::newRow("1") << "1" << true << true;
        QTest::newRow("True checks the item but is not the number 1") << "True" << false << true;
    }
    void splashFollowsNumericFlag() {
        QFETCH(QString, stored);
        set("ShowSplash", stored);
        auto menu = start();
        QFETCH(bool, splash);
        QCOMPARE(services.called("showSplash"), splash);
        QFETCH(bool, checked);
        QCOMPARE(menu->menuState().mnuSplash.checked, checked);
    }

    void everyLevelZeroLeavesMonitoringOff() {
        defineWatchedItems();
        set("ShowCPU", "1");
        set("LevelCPU", "0");
        set("MonitorLevels", "True");
        auto menu = start();
        QVERIFY(menu->menuState().mnuDisplay.enabled);
        QVERIFY(!menu->menuState().mnuMonitor.enabled);
        QVERIFY(!menu->menuState().mnuMonitor.checked);
        QVERIFY(!services.watching);
        QVERIFY(!services.called("showOptionsDialog(0)"));
    }

    void levelAboveZeroStartsMonitoring() {
        defineWatchedItems();
        set("LevelPhysMem", "80");
        set("MonitorLevels", "True");
        auto menu = start();
        QVERIFY(menu->menuState().mnuMonitor.enabled);
        QVERIFY(menu->menuState().mnuMonitor.checked);
        QVERIFY(services.watching);
        QCOMPARE(menu->sharedState().itemLevel[1], 80);
    }

    // A drive mounted later in the run keeps its letter: its level counts whether it is mounted now.
    void driveLevelCountsMountedOrNot() {
        defineWatchedItems();
        set("LevelDDrive", "90");
        auto menu = start();
        QVERIFY(menu->menuState().mnuMonitor.enabled);
        QCOMPARE(menu->sharedState().driveLevel[0], 90);
    }

    void driveShowFlagMatchesWithoutCase() {
        defineWatchedItems();
        set("ShowdDRIVE", "1");
        auto menu = start();
        QVERIFY(menu->sharedState().showDrive[0]);
        QVERIFY(menu->menuState().mnuDisplay.enabled);
    }

    void badIntegerKeepsPreviousValue() {
        defineWatchedItems();
        set("AutoSyncDays", "abc");
        set("LevelCPU", "70000");
        auto menu = start();
        QCOMPARE(menu->sharedState().autoSyncDays, 0);
        QCOMPARE(menu->sharedState().itemLevel[0], 0);
    }

    void monitorWindowNeedsTheNumberOne_data() {
        QTest::addColumn<QString>("stored");
        QTest::addColumn<bool>("shown");
        QTest::newRow("absent") << QString() << false;
        QTest::newRow("1") << "1" << true;
        QTest::newRow("True") << "True" << false;
    }
    void monitorWindowNeedsTheNumberOne() {
        QFETCH(QString, stored);
        if (!stored.isNull()) {
            set("ShowStatsAtStartup", stored);
        }
        auto menu = start();
        QFETCH(bool, shown);
        QCOMPARE(services.called("showMonitorWindow"), shown);
        QVERIFY(menu->menuState().mnuStartupMonitor.checked);
    }

    void synchronisationAtStart_data() {
        QTest::addColumn<QString>("previous");  // empty: absent
        QTest::addColumn<QString>("commandLine");
        QTest::addColumn<bool>("synchronised");
        const auto daysBack = [](int days) { return SettingsConversions::fromDateTime(kNow.addDays(-days)); };
        QTest::newRow("never synchronised") << QString() << QString() << true;
        QTest::newRow("six days back") << daysBack(6) << QString() << false;
        QTest::newRow("seven days back") << daysBack(7) << QString() << true;
        QTest::newRow("six days back, /SYNC") << daysBack(6) << "/SYNC" << true;
        QTest::newRow("unreadable date") << "not a date" << QString() << true;
        QTest::newRow("seven calendar days, fewer hours")
            << SettingsConversions::fromDateTime(QDateTime(kNow.date().addDays(-7), QTime(23, 59, 0)))
            << QString() << true;
    }
    void synchronisationAtStart() {
        QFETCH(QString, previous);
        set("TimeSyncOnStart", "True");
        set("AutoSyncDays", "7");
        if (!previous.isEmpty()) {
            set("PreviousAutoSync", previous);
        }
        QFETCH(QString, commandLine);
        start(commandLine);
        QFETCH(bool, synchronised);
        QCOMPARE(services.called("startSynchronisation"), synchronised);
    }

    void synchronisationOffIgnoresCommandLine() {
        start("/sync");
        QVERIFY(!services.called("startSynchronisation"));
    }

    void dailyUpdateCheck_data() {
        QTest::addColumn<QDateTime>("last");
        QTest::addColumn<bool>("checked");
        QTest::newRow("earlier today") << QDateTime(kNow.date(), QTime(0, 0, 1)) << false;
        QTest::newRow("yesterday 23:59") << QDateTime(kNow.date().addDays(-1), QTime(23, 59, 0)) << true;
    }
    void dailyUpdateCheck() {
        QFETCH(QDateTime, last);
        set("UpdateCheckLast", SettingsConversions::fromDateTime(last));
        start();
        QFETCH(bool, checked);
        QCOMPARE(services.called("checkForUpdates(false)"), checked);
        if (checked) {
            QCOMPARE(SettingsConversions::toDateTime(*store.read("UpdateCheckLast")), kNow);
        }
    }

    void noUpdateLocationRecordsNoCheck() {
        services.updateLocationConfigured = false;
        start();
        QVERIFY(services.called("checkForUpdates(false)"));
        QVERIFY(!store.read("UpdateCheckLast"));
    }

    void updateCheckOffSkipsIt() {
        set("VersionCheck", "False");
        start();
        QVERIFY(!services.called("checkForUpdates(false)"));
    }

    void batteryAvailability_data() {
        QTest::addColumn<int>("flag");
        QTest::addColumn<int>("percent");
        QTest::addColumn<bool>("available");
        QTest::newRow("no system battery") << 128 << 255 << false;
        QTest::newRow("flag 0 with 57%") << 0 << 57 << true;
        QTest::newRow("flag 0 with 0%") << 0 << 0 << false;
        QTest::newRow("unknown") << 255 << 255 << true;
        QTest::newRow("charging") << 8 << 40 << true;
    }
    void batteryAvailability() {
        QFETCH(int, flag);
        QFETCH(int, percent);
        services.power = BatteryReading{flag, percent};
        auto menu = start();
        QFETCH(bool, available);
        QCOMPARE(menu->BatteryAvailable(), available);
    }

    void unreadablePowerStatusLeavesBatteryOff() {
        services.power = std::nullopt;
        QVERIFY(!start()->BatteryAvailable());
    }

    void exitAsksAndNoKeepsRunning() {
        auto menu = start();
        services.calls.clear();
        services.messageBoxAnswer = 7;
        menu->mnuExit_Click();
        QCOMPARE(services.calls, QStringList{"showMessageBox"});
        QCOMPARE(services.lastMessageText,
                 QStringLiteral("Are you sure you wish to exit the\r\nQuorvane program?\r\n"));
        QCOMPARE(services.lastMessageStyle, 36);
        QCOMPARE(services.lastMessageTitle, QStringLiteral("Exit"));

        services.messageBoxAnswer = 6;
        menu->mnuExit_Click();
        QVERIFY(services.called("shutDown"));
        QVERIFY(!services.watching);
    }

    void exitWithoutPromptEndsAtOnce() {
        set("ShowExitPrompt", "False");
        auto menu = start();
        const int writesBefore = store.writes;
        services.calls.clear();
        menu->mnuExit_Click();
        QVERIFY(!services.called("showMessageBox"));
        QVERIFY(services.called("shutDown"));
        QCOMPARE(store.writes, writesBefore);  // nothing is saved at exit
    }
};

QTEST_GUILESS_MAIN(MenuStartupTest)
#include "tst_menustartup.moc"
