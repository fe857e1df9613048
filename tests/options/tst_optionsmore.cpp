#include "options/NumberBoxEdit.h"
#include "options/Options.h"
#include "options/OptionsDialogHost.h"
#include "options/OptionsMorePage.h"
#include "platform/linux/LinuxCoreTimes.h"
#include "platform/linux/LinuxDiskActivity.h"
#include "platform/linux/LinuxNetworkCounters.h"
#include "platform/linux/LinuxTemperatures.h"
#include "support/FakeSystemSources.h"
#include "support/FakeTree.h"
#include "support/RecordingMenuServices.h"
#include "support/TestOptions.h"
#include "timesync/TimeServerTable.h"
#include "widgets/LevelBar.h"

#include <QCheckBox>
#include <QPushButton>
#include <QTabBar>
#include <QTabWidget>
#include <QTest>

// Page "More" of the options, used with pointer and keys: the activity items' rows, "(none)" for
// what the machine lacks, and Apply storing every choice.
class OptionsMoreTest : public QObject {
    Q_OBJECT

    FakeTree root_;

    void write(const QString& path, const QByteArray& content) { QVERIFY(root_.write(path, content)); }

private Q_SLOTS:
    void initTestCase() { QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates)); }

    void choicesAreAppliedAndMissingItemsSayNone() {
        write("/proc/stat", "cpu  1 1 1 1\ncpu0 10 0 0 90\ncpu1 50 0 0 50\n");
        write("/proc/diskstats", "   8 0 sda 1 0 0 0 0 0 0 0 0 40 0\n");
        write("/proc/net/dev", "h\nh\n eth0: 1 0 0 0 0 0 0 0 1 0 0 0 0 0 0 0\n");
        TestOptions options;
        RecordingMenuServices services;
        FakeSystem system;
        system.mounts->set({QStringLiteral("/")});
        system.memory->status = MemoryStatus{};
        SystemSources sources = system.sources();
        const SystemFiles files(root_.path());
        sources.coreTimes = std::make_shared<LinuxCoreTimes>(files);
        sources.disks = std::make_shared<LinuxDiskActivity>(files);
        sources.network = std::make_shared<LinuxNetworkCounters>(files);
        sources.temperatures = std::make_shared<LinuxTemperatures>(files);  // no sensors in the tree
        SystemInfoModule stats(sources, nullptr);
        TimeServerTable table;
        OptionsDialogHost host(options.live(), PlatformFacts::linux(), services, stats, table);
        host.show(0);
        Options* dialog = host.dialog();
        QVERIFY(dialog && QTest::qWaitForWindowExposed(dialog));

        QTabBar* tabs = dialog->SSTab1->tabBar();
        QCOMPARE(tabs->tabText(Options::MorePage), QStringLiteral("More"));
        QTest::mouseClick(tabs, Qt::LeftButton, {}, tabs->tabRect(Options::MorePage).center());
        QCOMPARE(dialog->currentPage(), int(Options::MorePage));
        OptionsMorePage* more = dialog->more;
        const auto row = [&](ActivityItem item) { return more->row(item); };
        QVERIFY(!row(ActivityItem::Temperature).show->isEnabled());
        QCOMPARE(row(ActivityItem::Temperature).show->text(), QStringLiteral("CPU temperature (none):"));
        QVERIFY(row(ActivityItem::Cores).show->isEnabled());
        QCOMPARE(row(ActivityItem::Network).level, nullptr);  // the network has no threshold

        const auto click = [](QCheckBox* box) {
            QTest::mouseClick(box, Qt::LeftButton, {}, QPoint(6, box->height() / 2));
        };
        click(row(ActivityItem::Cores).show);
        click(row(ActivityItem::DiskBusy).show);
        click(more->historyBox);
        click(more->trayIconGraphBox);
        NumberBoxEdit* level = row(ActivityItem::Cores).level;
        QTest::mouseClick(level, Qt::LeftButton);
        for (int press = 0; press < 3; ++press) {
            QTest::keyClick(level, Qt::Key_Up);
        }
        QTest::mouseClick(dialog->applyButton, Qt::LeftButton);
        QVERIFY(!dialog->applyEnabled());  // saved: an activity item alone is a selection

        const auto stored = [&](const char* key) {
            return options.store.read(QLatin1String(key)).value_or("<none>");
        };
        QCOMPARE(stored("ShowCores"), QStringLiteral("1"));
        QCOMPARE(stored("LevelCores"), QStringLiteral("15"));
        QCOMPARE(stored("ShowDiskBusy"), QStringLiteral("1"));
        QCOMPARE(stored("ShowNetwork"), QStringLiteral("0"));
        QCOMPARE(stored("ShowHistory"), QStringLiteral("1"));
        QCOMPARE(stored("TrayIconGraph"), QStringLiteral("True"));
        QVERIFY(options.shared.activity.shown(ActivityItem::Cores));
        QCOMPARE(options.shared.activity.levelOf(ActivityItem::Cores), qint16(15));
        QVERIFY(options.items.mnuMonitor.enabled);  // a level on an activity item is something to watch

        // The live bar follows the page's timer: the busiest core since the last reading.
        write("/proc/stat", "cpu  1 1 1 1\ncpu0 40 0 0 160\ncpu1 125 0 0 75\n");
        QTRY_COMPARE(row(ActivityItem::Cores).bar->text(), QStringLiteral("75%"));
        if (const QString shots = qEnvironmentVariable("QUORVANE_TEST_SHOTS"); !shots.isEmpty()) {
            dialog->grab().save(shots + QStringLiteral("/options-more.png"));  // for a person to look at
        }
        dialog->close();
    }
};

QTEST_MAIN(OptionsMoreTest)
#include "tst_optionsmore.moc"
