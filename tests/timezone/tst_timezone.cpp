#include "settings/DefaultTimeServer.h"
#include "support/FakeTimeZoneSource.h"
#include "timezone/TimeZone.h"
#include "timezone/WallClock.h"

#include <QtTest>

namespace {

int thisYear() {
    return QDate::currentDate().year();
}

TimeZone zoneFromRule(const QString& rule) {
    return TimeZone(FakeTimeZoneSource::withRule(rule), 2026);
}

QDateTime wall(int year, int month, int day, int hour, int minute = 0, int second = 0) {
    return WallClock::at(QDate(year, month, day), QTime(hour, minute, second));
}

// Every value of the text form, so two zones can be compared field by field.
QStringList fieldsOf(const TimeZone& zone) {
    return zone.Serialize(0).split(QLatin1Char('\t'));
}

}  // namespace

class TestTimeZone : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void zoneFromTzRule_data() {
        QTest::addColumn<QString>("rule");
        QTest::addColumn<int>("stdBias");
        QTest::addColumn<int>("dstBias");
        QTest::addColumn<QList<int>>("dstBeg");  // year, month, week, day of week, hour
        QTest::addColumn<QList<int>>("stdBeg");
        QTest::newRow("west of Greenwich") << "EST5EDT,M3.2.0,M11.1.0" << -300 << -240
                                           << QList<int>{0, 3, 2, 0, 2} << QList<int>{0, 11, 1, 0, 2};
        QTest::newRow("east, explicit time") << "CET-1CEST,M3.5.0,M10.5.0/3" << 60 << 120
                                             << QList<int>{0, 3, 5, 0, 2} << QList<int>{0, 10, 5, 0, 3};
        QTest::newRow("south, half hours") << "ACST-9:30ACDT,M10.1.0,M4.1.0/3" << 570 << 630
                                           << QList<int>{0, 10, 1, 0, 2} << QList<int>{0, 4, 1, 0, 3};
        QTest::newRow("quoted names, negative time")
            << "<-02>2<-01>,M3.5.0/-1,M10.5.0/0" << -120 << -60 << QList<int>{0, 3, 5, 0, -1}
            << QList<int>{0, 10, 5, 0, 0};
        QTest::newRow("explicit daylight offset") << "LHST-10:30LHDT-11,M10.1.0,M4.1.0" << 630 << 660
                                                  << QList<int>{0, 10, 1, 0, 2} << QList<int>{0, 4, 1, 0, 2};
        QTest::newRow("daylight names without dates")
            << "EST5EDT" << -300 << -240 << QList<int>{0, 3, 2, 0, 2} << QList<int>{0, 11, 1, 0, 2};
        QTest::newRow("Jn: day 60 is March 1")
            << "AAA3BBB,J60/4,J305" << -180 << -120 << QList<int>{2026, 3, 1, 0, 4}
            << QList<int>{2026, 11, 1, 0, 2};
        QTest::newRow("n: counted from 0") << "AAA3BBB,59,304/1:30" << -180 << -120
                                           << QList<int>{2026, 3, 1, 0, 2} << QList<int>{2026, 11, 1, 0, 1};
        QTest::newRow("no daylight time")
            << "IST-5:30" << 330 << 330 << QList<int>{0, 0, 0, 0, 0} << QList<int>{0, 0, 0, 0, 0};
        QTest::newRow("UTC") << "UTC0" << 0 << 0 << QList<int>{0, 0, 0, 0, 0} << QList<int>{0, 0, 0, 0, 0};
    }

    void zoneFromTzRule() {
        QFETCH(QString, rule);
        QFETCH(int, stdBias);
        QFETCH(int, dstBias);
        QFETCH(QList<int>, dstBeg);
        QFETCH(QList<int>, stdBeg);
        const TimeZone zone = zoneFromRule(rule);
        QCOMPARE(zone.StdBiasGMT(), stdBias);
        QCOMPARE(zone.DstBiasGMT(), dstBias);
        const auto parts = [](const ZoneRule& r) {
            return QList<int>{r.Year(), r.Month(), r.Week(), r.DayOfWeek(), r.Hour()};
        };
        if (dstBeg.at(0) == 0) {
            QCOMPARE(parts(zone.DstBeg()), dstBeg);
            QCOMPARE(parts(zone.StdBeg()), stdBeg);
        } else {  // absolute dates: year, month, day, weekday, hour
            const auto absolute = [](const ZoneRule& r) {
                return QList<int>{r.Year(), r.Month(), r.Day(), r.Hour()};
            };
            QCOMPARE(absolute(zone.DstBeg()), (QList<int>{dstBeg[0], dstBeg[1], dstBeg[2], dstBeg[4]}));
            QCOMPARE(absolute(zone.StdBeg()), (QList<int>{stdBeg[0], stdBeg[1], stdBeg[2], stdBeg[4]}));
        }
        QCOMPARE(zone.RawName(), QString());
        QCOMPARE(zone.SntpServer(), defaultTimeServerHost());
        QCOMPARE(zone.Index(), -1);
        QVERIFY(!zone.Dirty());
    }

    void julianDayInLeapYear() {
        const TimeZone zone(FakeTimeZoneSource::withRule(QStringLiteral("AAA3BBB,J60,59")), 2024);
        QCOMPARE(zone.DstBeg().Day(), 1);  // J60 never counts February 29
        QCOMPARE(zone.DstBeg().Month(), 3);
        QCOMPARE(zone.StdBeg().Day(), 29);  // day 59 from 0 is February 29
        QCOMPARE(zone.StdBeg().Month(), 2);
        QCOMPARE(zone.StdBeg().DayOfWeek(), 4);  // 2024-02-29 was a Thursday
    }

    void daylightFlagFollowsTheSwitch_data() {
        QTest::addColumn<std::optional<int>>("value");
        QTest::addColumn<bool>("enabled");
        QTest::newRow("unreadable") << std::optional<int>() << true;
        QTest::newRow("automatic changes off") << std::optional<int>(1) << false;
        QTest::newRow("automatic changes on") << std::optional<int>(0) << true;
    }

    void daylightFlagFollowsTheSwitch() {
        QFETCH(std::optional<int>, value);
        QFETCH(bool, enabled);
        FakeTimeZoneSource source = FakeTimeZoneSource::withRule(QStringLiteral("EST5EDT,M3.2.0,M11.1.0"));
        source.autoDaylightSwitch = value;
        QCOMPARE(TimeZone(source).DstEnabled(), enabled);
    }

    void zoneWithoutDaylightTime() {
        const TimeZone zone = zoneFromRule(QStringLiteral("JST-9"));
        QVERIFY(!zone.DstActive());
        QVERIFY(!zone.DstActive(wall(thisYear(), 7, 1, 12)));
        QVERIFY(zone.StdActive());
        QVERIFY(!zone.DstAvailable());
        QVERIFY(!zone.DstEnabled());
        QCOMPARE(zone.BiasGMT(), 540);
        QCOMPARE(zone.BiasGMT(), zone.StdBiasGMT());
    }

    void daylightEdgeNorth() {
        const TimeZone zone = zoneFromRule(QStringLiteral("EST5EDT,M3.2.0,M11.1.0"));
        const QDateTime start = zone.DstBeg().EffectiveDate(0);
        const QDateTime end = zone.StdBeg().EffectiveDate(0);
        QCOMPARE(start.date().year(), thisYear());
        QVERIFY(!zone.DstActive(start));
        QVERIFY(zone.DstActive(start.addSecs(1)));
        QVERIFY(zone.DstActive(end.addSecs(-1)));
        QVERIFY(!zone.DstActive(end));
        QVERIFY(!zone.DstActive(wall(thisYear(), 1, 15, 12)));
        QCOMPARE(zone.BiasGMT(wall(thisYear(), 7, 1, 12)), -240);
        QCOMPARE(zone.BiasGMT(wall(thisYear(), 12, 1, 12)), -300);
        QVERIFY(zone.DstAvailable());
        // Any Qt::TimeSpec is read as a wall clock.
        QVERIFY(zone.DstActive(QDateTime(QDate(thisYear(), 7, 1), QTime(12, 0), Qt::LocalTime)));
    }

    void daylightEdgeSouth() {
        const TimeZone zone = zoneFromRule(QStringLiteral("AEST-10AEDT,M10.1.0,M4.1.0/3"));
        const QDateTime start = zone.DstBeg().EffectiveDate(0);
        const QDateTime end = zone.StdBeg().EffectiveDate(0);
        QVERIFY(zone.DstActive(end));
        QVERIFY(!zone.DstActive(end.addSecs(1)));
        QVERIFY(!zone.DstActive(start.addSecs(-1)));
        QVERIFY(zone.DstActive(start));
        QVERIFY(zone.DstActive(wall(thisYear(), 1, 15, 12)));
        QVERIFY(!zone.DstActive(wall(thisYear(), 7, 1, 12)));
    }

    void localTimeFromUtc() {
        const TimeZone zone = zoneFromRule(QStringLiteral("EST5"));
        QCOMPARE(zone.DateTimeLocal(QDateTime(QDate(2026, 1, 1), QTime(3, 0), Qt::UTC)),
                 wall(2025, 12, 31, 22));
        QCOMPARE(zone.DateLocal(QDate(2026, 1, 1)), QDate(2025, 12, 31));
        QCOMPARE(zone.TimeLocal(QTime(3, 0)), QTime(22, 0));
        const QDateTime before = QDateTime::currentDateTimeUtc().addSecs(-1);
        const QDateTime local = zone.DateTimeLocal();
        QVERIFY(local >= WallClock::of(before.addSecs(-300 * 60)));
        QCOMPARE(zone.DateTimeGMT().time().msec(), 0);
    }

    void dispBias_data() {
        QTest::addColumn<int>("bias");
        QTest::addColumn<QString>("prefix");
        QTest::addColumn<QString>("expected");
        QTest::newRow("west with prefix") << -300 << "GMT"
                                          << "GMT-05:00";
        QTest::newRow("east half hour") << 330 << ""
                                        << "+05:30";
        QTest::newRow("zero") << 0 << ""
                              << "+00:00";
        QTest::newRow("west half hour") << -90 << "UTC"
                                        << "UTC-01:30";
        QTest::newRow("quarter hours") << 765 << ""
                                       << "+12:45";
    }

    void dispBias() {
        QFETCH(int, bias);
        QFETCH(QString, prefix);
        QFETCH(QString, expected);
        QCOMPARE(TimeZone::DispBias(bias, prefix), expected);
    }

    void nameCleanUp_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("rawName");
        QTest::newRow("runs of blanks") << "   Eastern    Standard   Time   "
                                        << "Eastern";
        QTest::newRow("daylight name") << "Pacific Daylight Time"
                                       << "Pacific";
        QTest::newRow("letter case") << "central STANDARD time"
                                     << "central";
        QTest::newRow("words inside stay apart") << "Mountain Time Zone"
                                                 << "Mountain Zone";
        QTest::newRow("word at the start stays") << "Time Zone of Nowhere"
                                                 << "Time Zone of Nowhere";
        QTest::newRow("already clean") << "Tokyo"
                                       << "Tokyo";
    }

    void nameCleanUp() {
        QFETCH(QString, name);
        QFETCH(QString, rawName);
        TimeZone zone = zoneFromRule(QStringLiteral("EST5EDT"));
        zone.setName(name);
        QCOMPARE(zone.RawName(), rawName);
        QCOMPARE(zone.Name(), rawName + " Time");
        QCOMPARE(zone.StdName(), rawName + " Standard Time");
        QCOMPARE(zone.DstName(), rawName + " Daylight Time");
        QCOMPARE(zone.Desc(), rawName + " Time");
        QVERIFY(zone.Dirty());
    }

    void nameKeepsAGivenDescription() {
        TimeZone zone = zoneFromRule(QStringLiteral("EST5EDT"));
        zone.setDesc(QStringLiteral("(GMT-05:00) Eastern Time (US & Canada)"));
        zone.setName(QStringLiteral("Eastern Standard Time"));
        QCOMPARE(zone.Desc(), QStringLiteral("(GMT-05:00) Eastern Time (US & Canada)"));
    }

    void dirtyOnlyForChanges() {
        TimeZone zone = zoneFromRule(QStringLiteral("EST5EDT"));
        zone.setStdBiasGMT(-300);
        zone.setIndex(-1);
        zone.setHidden(false);
        zone.setDstEnabled(true);
        QVERIFY(!zone.Dirty());
        zone.setStdBeg(zone.StdBeg());
        QVERIFY(zone.Dirty());
    }

    void readOnlyZoneIsHiddenInsteadOfDeleted() {
        TimeZone zone = zoneFromRule(QStringLiteral("EST5EDT"));
        zone.setReadOnly(true);
        QVERIFY(!zone.Dirty());
        zone.setDeleted(true);
        QVERIFY(!zone.Deleted());
        QVERIFY(zone.Hidden());
        QVERIFY(zone.Dirty());

        TimeZone other = zoneFromRule(QStringLiteral("EST5EDT"));
        other.setDeleted(true);
        QVERIFY(other.Deleted());
        other.setReadOnly(true);
        QVERIFY(!other.Deleted());
        QVERIFY(other.Hidden());
    }

    void textRoundTrip_data() {
        QTest::addColumn<int>("format");
        QTest::newRow("tab") << 0;
        QTest::newRow("comma") << 1;
    }

    void textRoundTrip() {
        QFETCH(int, format);
        TimeZone zone = zoneFromRule(QStringLiteral("CET-1CEST,M3.5.0,M10.5.0/3"));
        zone.setName(QStringLiteral("W. Europe Standard Time"));
        zone.setMapId(QStringLiteral("N52E13"));
        zone.setIndex(7);
        zone.setHidden(true);
        zone.setOrigActive(true);
        zone.setSntpServer(QStringLiteral("ptbtime1.ptb.de"));
        ZoneRule absolute;
        absolute.Begin(2026, 3, 29, 0, 2, 0, 0);
        zone.setDstBeg(absolute);
        const QString text = zone.Serialize(format);
        QCOMPARE(text.split(TimeZone::FieldSeparator(format)).size(), 29);

        TimeZone copy = zoneFromRule(QStringLiteral("EST5EDT"));
        QVERIFY(copy.setSerialize(format, text));
        QCOMPARE(fieldsOf(copy), fieldsOf(zone));
        QCOMPARE(copy.RawName(), QStringLiteral("W. Europe"));
        QCOMPARE(copy.StdBiasGMT(), 60);
        QCOMPARE(copy.DstBiasGMT(), 120);
        QCOMPARE(copy.DstBeg().EffectiveDate(2000), wall(2026, 3, 29, 2));
        QCOMPARE(copy.StdBeg().Hour(), 3);
        QCOMPARE(copy.StdBeg().Week(), 5);
        QCOMPARE(copy.Index(), 7);
        QCOMPARE(copy.MapId(), QStringLiteral("N52E13"));
        QCOMPARE(copy.SntpServer(), QStringLiteral("ptbtime1.ptb.de"));
        QVERIFY(copy.Hidden());
        QVERIFY(copy.OrigActive());
        QVERIFY(copy.Dirty());
        QVERIFY(copy.Equals(zone));
    }

    void unreadableTextsLeaveTheZone_data() {
        QTest::addColumn<QString>("text");
        QTest::newRow("empty") << "";
        QTest::newRow("28 fields") << QString("0").append(QString("\tx").repeated(27));
        QTest::newRow("version 1") << QString("1").append(QString("\tx").repeated(28));
    }

    void unreadableTextsLeaveTheZone() {
        QFETCH(QString, text);
        TimeZone zone = zoneFromRule(QStringLiteral("EST5EDT"));
        zone.setName(QStringLiteral("Eastern"));
        const QString before = zone.Serialize(0);
        QVERIFY(zone.setSerialize(0, text));
        QCOMPARE(zone.Serialize(0), before);
    }

    void badFieldStopsTheReading() {
        TimeZone source = zoneFromRule(QStringLiteral("EST5EDT"));
        source.setName(QStringLiteral("Eastern"));
        QStringList fields = fieldsOf(source);
        fields[4] = QStringLiteral("perhaps");  // Hidden
        TimeZone zone = zoneFromRule(QStringLiteral("JST-9"));
        QVERIFY(!zone.setSerialize(0, fields.join('\t')));
        QCOMPARE(zone.RawName(), QStringLiteral("Eastern"));  // read before the failing field
        QCOMPARE(zone.StdBiasGMT(), 540);                     // read after it: kept
    }

    void equality() {
        const TimeZone east = zoneFromRule(QStringLiteral("EST5EDT,M3.2.0,M11.1.0"));
        const TimeZone japan = zoneFromRule(QStringLiteral("JST-9"));
        QVERIFY(east.Equals(east));
        QVERIFY(japan.Equals(japan));  // without change-overs too
        QVERIFY(!east.Equals(japan));

        TimeZone named = east;
        named.setName(QStringLiteral("Eastern Standard Time"));
        QVERIFY(!named.Equals(east));
        TimeZone renamed = named;
        QStringList fields = fieldsOf(renamed);
        fields[23] = QStringLiteral("EASTERN TIME");  // earlier name, other letter case
        fields[1] = QStringLiteral("US Eastern");
        QVERIFY(renamed.setSerialize(0, fields.join('\t')));
        QVERIFY(renamed.Equals(named));

        TimeZone otherRule = named;
        ZoneRule later = named.StdBeg();
        later.setWeek(2);
        otherRule.setStdBeg(later);
        QVERIFY(!named.Equals(otherRule));
    }

    void activeComparesWithTheComputersZone() {
        const FakeTimeZoneSource source =
            FakeTimeZoneSource::withRule(QStringLiteral("EST5EDT,M3.2.0,M11.1.0"));
        TimeZone zone(source);
        zone.setName(QStringLiteral("Eastern Standard Time"));
        QVERIFY(zone.Active(source));
        QVERIFY(!zoneFromRule(QStringLiteral("CET-1CEST,M3.5.0,M10.5.0/3")).Active(source));
    }
};

QTEST_GUILESS_MAIN(TestTimeZone)
#include "tst_timezone.moc"
