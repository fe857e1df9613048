#include "monitor/MonitorBalloonText.h"
#include "monitor/MonitorGeometry.h"
#include "widgets/LevelBar.h"
#include "widgets/LevelBarColours.h"

#include <QImage>
#include <QTest>

using namespace MonitorBalloonText;

class TestMonitorRules : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void rowsAre270TwipsApart() {
        QCOMPARE(MonitorGeometry::textTop(0), 135);
        QCOMPARE(MonitorGeometry::barTop(0), 120);
        QCOMPARE(MonitorGeometry::textTop(3), 135 + 810);
        QCOMPARE(MonitorGeometry::barTop(3), 120 + 810);
        // One row: the same margin below the bar as above it.
        QCOMPARE(
            MonitorGeometry::clientHeight(1) - (MonitorGeometry::barTop(0) + MonitorGeometry::kBarHeight),
            MonitorGeometry::kBarTop);
    }

    void placement_data() {
        QTest::addColumn<std::optional<int>>("stored");
        QTest::addColumn<int>("height");
        QTest::addColumn<int>("previousRows");
        QTest::addColumn<int>("rows");
        QTest::addColumn<int>("top");
        const int workArea = 11070;
        QTest::newRow("no stored top rests on the work area")
            << std::optional<int>() << 1500 << 0 << 3 << workArea - 1500;
        QTest::newRow("inside the work area is kept") << std::optional<int>(2000) << 1500 << 0 << 3 << 2000;
        QTest::newRow("below the work area, same rows: kept")
            << std::optional<int>(10000) << 1500 << 3 << 3 << 10000;
        QTest::newRow("below the work area, fewer rows: kept")
            << std::optional<int>(10000) << 1500 << 4 << 3 << 10000;
        QTest::newRow("below the work area, more rows: pulled up")
            << std::optional<int>(10000) << 1500 << 2 << 3 << workArea - 1500;
        QTest::newRow("taller than the work area: not above 0")
            << std::optional<int>(10000) << 12000 << 0 << 40 << 0;
        QTest::newRow("negative stored top inside is kept")
            << std::optional<int>(-300) << 1500 << 0 << 3 << -300;
    }
    void placement() {
        QFETCH(std::optional<int>, stored);
        QFETCH(int, height);
        QFETCH(int, previousRows);
        QFETCH(int, rows);
        QFETCH(int, top);
        QCOMPARE(MonitorGeometry::placedTop(stored, height, 11070, previousRows, rows), top);
    }

    void homeIsTheBottomOfTheWorkArea() { QCOMPARE(MonitorGeometry::homeTop(1500, 11070), 9570); }

    void batteryText_data() {
        QTest::addColumn<qint64>("life");
        QTest::addColumn<qint64>("full");
        QTest::addColumn<QString>("text");
        QTest::newRow("3909 s") << qint64(3909) << qint64(-1) << "1:05:09 remaining";
        QTest::newRow("with full charge")
            << qint64(3909) << qint64(36000)
            << "1:05:09 remaining of\r\n10:00:00 full-charge\r\n(approximately) available";
        QTest::newRow("one second") << qint64(1) << qint64(0) << "0:00:01 remaining";
        QTest::newRow("unknown: no balloon") << qint64(-1) << qint64(7200) << "";
        QTest::newRow("zero: no balloon") << qint64(0) << qint64(7200) << "";
    }
    void batteryText() {
        QFETCH(qint64, life);
        QFETCH(qint64, full);
        QFETCH(QString, text);
        QCOMPARE(MonitorBalloonText::batteryText(life, full), text);
    }

    void memoryAndDriveFigures() {
        const QLocale english(QLocale::English, QLocale::UnitedStates);
        const double eightGigabytes = 8.0 * kGigabyte;
        QCOMPARE(memoryText(50, eightGigabytes, english), QStringLiteral("4,096 of\r\n8,192 MB"));
        QCOMPARE(memoryText(37, eightGigabytes, english), QStringLiteral("3,031 of\r\n8,192 MB"));  // 3031.04
        QCOMPARE(memoryText(0, 512 * kMegabyte, english), QStringLiteral("0 of\r\n512 MB"));
        QCOMPARE(memoryText(100, 1234567.0 * kMegabyte, english),
                 QStringLiteral("1,234,567 of\r\n1,234,567 MB"));
        // Half a megabyte rounds away from zero, as the number format does.
        QCOMPARE(memoryText(50, 3 * kMegabyte, english), QStringLiteral("2 of\r\n3 MB"));

        QCOMPARE(driveText(2000.0 * kGigabyte, 750.4 * kGigabyte, QString(), english),
                 QStringLiteral("1,250 of\r\n2,000 GB"));
        QCOMPARE(driveText(500.0 * kGigabyte, 100.0 * kGigabyte, QStringLiteral("/srv/data"), english),
                 QStringLiteral("/srv/data\r\n400 of\r\n500 GB"));
        const QLocale german(QLocale::German, QLocale::Germany);
        QCOMPARE(driveText(2000.0 * kGigabyte, 0, QString(), german), QStringLiteral("2.000 of\r\n2.000 GB"));
        QCOMPARE(driveTitle(QStringLiteral("E: drive disk usage:")), QStringLiteral("E:  Drive"));
    }

    void cpuText() {
        const QLocale english(QLocale::English, QLocale::UnitedStates);
        QCOMPARE(MonitorBalloonText::cpuText(QStringLiteral("Intel Core2 CPU 6600 (2.40 GHz)"), 231, 1204,
                                             english),
                 QStringLiteral(
                     "Intel Core2 CPU 6600 (2.40 GHz)\r\n231 active processes\r\n1,204 active threads"));
        QCOMPARE(MonitorBalloonText::cpuText(QStringLiteral("Unknown processor type"), 0, 0, english),
                 QStringLiteral("Unknown processor type"));
        QCOMPARE(MonitorBalloonText::cpuText(QStringLiteral("x"), 0, 3, english),
                 QStringLiteral("x\r\n0 active processes\r\n3 active threads"));
    }

    void gradientColours() {
        const QColor green = LevelBarColours::fromBgr(LevelBarColours::kGreen);
        const QColor red = LevelBarColours::fromBgr(LevelBarColours::kRed);
        QCOMPARE(green, QColor(0, 0xC0, 0));
        QCOMPARE(red, QColor(0xFF, 0, 0));
        QCOMPARE(LevelBarColours::fromBgr(0x102030), QColor(0x30, 0x20, 0x10));
    }

    void barPaintsItsGradientUpToTheValue() {
        LevelBar bar;
        bar.resize(121, 17);
        bar.setValue(75);
        QCOMPARE(bar.text(), QStringLiteral("75%"));
        const QImage image = bar.grab().toImage();
        const QColor nearStart = image.pixelColor(3, 3);
        const QColor unfilled = image.pixelColor(115, 3);
        QVERIFY2(nearStart.green() > 150 && nearStart.red() < 30, qPrintable(nearStart.name()));
        const QColor atEnd = image.pixelColor(88, 3);  // just inside the fill, 3/4 along: mostly red
        QVERIFY2(atEnd.red() > 150 && atEnd.green() < 100, qPrintable(atEnd.name()));
        QCOMPARE(unfilled, QApplication::palette().color(QPalette::Button));
    }
};

QTEST_MAIN(TestMonitorRules)
#include "tst_monitorrules.moc"
