#include "timezone/WallClock.h"
#include "timezone/ZoneRule.h"

#include <QtTest>

namespace {

ZoneRule yearly(int month, int week, int dayOfWeek, int hour, int minute = 0, int second = 0) {
    ZoneRule rule;
    rule.setMonth(month);
    rule.setWeek(week);
    rule.setDay(week);
    rule.setDayOfWeek(dayOfWeek);
    rule.setHour(hour);
    rule.setMinute(minute);
    rule.setSecond(second);
    return rule;
}

QDateTime wall(int year, int month, int day, int hour, int minute = 0, int second = 0) {
    return WallClock::at(QDate(year, month, day), QTime(hour, minute, second));
}

int thisYear() {
    return QDate::currentDate().year();
}

}  // namespace

class TestZoneRule : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void initTestCase() { QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates)); }

    void yearlyEffectiveDate_data() {
        QTest::addColumn<int>("month");
        QTest::addColumn<int>("week");
        QTest::addColumn<int>("dayOfWeek");
        QTest::addColumn<int>("hour");
        QTest::addColumn<int>("year");
        QTest::addColumn<QDateTime>("expected");
        QTest::newRow("second Sunday of March 2007") << 3 << 2 << 0 << 2 << 2007 << wall(2007, 3, 11, 2);
        QTest::newRow("week 5: last Sunday of October") << 10 << 5 << 0 << 2 << 2026 << wall(2026, 10, 25, 2);
        QTest::newRow("week 7 is also the last") << 10 << 7 << 0 << 2 << 2026 << wall(2026, 10, 25, 2);
        QTest::newRow("last of five Sundays") << 3 << 5 << 0 << 1 << 2026 << wall(2026, 3, 29, 1);
        QTest::newRow("week 1, month starts on it") << 2 << 1 << 0 << 2 << 2026 << wall(2026, 2, 1, 2);
        QTest::newRow("week 0 counts as the first") << 2 << 0 << 0 << 2 << 2026 << wall(2026, 2, 1, 2);
        QTest::newRow("first Saturday") << 8 << 1 << 6 << 0 << 2026 << wall(2026, 8, 1, 0);
        QTest::newRow("hour past midnight runs on") << 3 << 4 << 4 << 26 << 2026 << wall(2026, 3, 27, 2);
        QTest::newRow("negative hour goes back") << 3 << 5 << 0 << -2 << 2026 << wall(2026, 3, 28, 22);
        QTest::newRow("month 0: no change-over") << 0 << 1 << 0 << 2 << 2026 << QDateTime();
        QTest::newRow("month 13") << 13 << 1 << 0 << 2 << 2026 << QDateTime();
        QTest::newRow("weekday 9 names no day") << 3 << 2 << 9 << 2 << 2026 << QDateTime();
    }

    void yearlyEffectiveDate() {
        QFETCH(int, month);
        QFETCH(int, week);
        QFETCH(int, dayOfWeek);
        QFETCH(int, hour);
        QFETCH(int, year);
        QFETCH(QDateTime, expected);
        const ZoneRule rule = yearly(month, week, dayOfWeek, hour);
        QCOMPARE(rule.EffectiveDate(year), expected);
    }

    void yearlyRuleFollowsTheCurrentYear() {
        const ZoneRule rule = yearly(3, 2, 0, 2);
        const QDateTime now = rule.EffectiveDate(0);
        QCOMPARE(now.date().year(), thisYear());
        QCOMPARE(now.date().dayOfWeek(), 7);
        QVERIFY(now.date().day() >= 8 && now.date().day() <= 14);
    }

    void absoluteEffectiveDate() {
        ZoneRule rule;
        rule.Begin(2007, 3, 11, 0, 2, 30, 15);
        // With a year asked for, the rule's own year; for "now", the current year.
        QCOMPARE(rule.EffectiveDate(2020), wall(2007, 3, 11, 2, 30, 15));
        QCOMPARE(rule.storedEffectiveDate(), wall(2007, 3, 11, 2, 30, 15));
        QCOMPARE(rule.EffectiveDate(0), wall(thisYear(), 3, 11, 2, 30, 15));
        QCOMPARE(rule.storedEffectiveDate(), wall(thisYear(), 3, 11, 2, 30, 15));

        rule.Begin(2007, 2, 30, 0, 2, 0, 0);
        QVERIFY(!rule.EffectiveDate(2007).isValid());
    }

    void beginTakesTheWeekFromTheDay() {
        ZoneRule rule;
        const QDateTime result = rule.Begin(0, 3, 2, 0, 2, 0, 0);
        QCOMPARE(rule.Week(), 2);
        QCOMPARE(rule.Day(), 2);
        QCOMPARE(rule.Year(), 0);
        QCOMPARE(result, yearly(3, 2, 0, 2).EffectiveDate(thisYear()));
    }

    void setEffectiveDateMakesItAbsolute() {
        ZoneRule rule = yearly(10, 5, 0, 3);
        rule.setEffectiveDate(wall(2030, 4, 7, 3, 4, 5));
        QCOMPARE(rule.Year(), 2030);
        QCOMPARE(rule.Month(), 4);
        QCOMPARE(rule.Day(), 7);
        QCOMPARE(rule.Hour(), 3);
        QCOMPARE(rule.Minute(), 4);
        QCOMPARE(rule.Second(), 5);
        QCOMPARE(rule.Week(), 5);
        QCOMPARE(rule.DayOfWeek(), 0);
        QCOMPARE(rule.EffectiveDate(1), wall(2030, 4, 7, 3, 4, 5));
    }

    void display_data() {
        QTest::addColumn<int>("month");
        QTest::addColumn<int>("week");
        QTest::addColumn<int>("dayOfWeek");
        QTest::addColumn<int>("hour");
        QTest::addColumn<int>("minute");
        QTest::addColumn<QString>("expected");
        QTest::newRow("first Sunday of April")
            << 4 << 1 << 0 << 2 << 0 << "First Sunday of April at 2:00:00 AM";
        QTest::newRow("last Sunday of October")
            << 10 << 5 << 0 << 3 << 0 << "Last Sunday of October at 3:00:00 AM";
        QTest::newRow("week above 5 is the last")
            << 10 << 7 << 0 << 3 << 0 << "Last Sunday of October at 3:00:00 AM";
        QTest::newRow("afternoon") << 9 << 3 << 6 << 14 << 30 << "Third Saturday of September at 2:30:00 PM";
        // Jerusalem "M3.4.4/26" and Nuuk "M3.5.0/-1": the change-over falls on the next or previous day.
        QTest::newRow("past midnight")
            << 3 << 4 << 4 << 26 << 0 << "Friday after the Fourth Thursday of March at 2:00:00 AM";
        QTest::newRow("before midnight")
            << 3 << 5 << 0 << -1 << 0 << "Saturday before the Last Sunday of March at 11:00:00 PM";
        QTest::newRow("days later") << 10 << 1 << 6 << 24 * 3 + 1 << 30
                                    << "Tuesday, 3 days after the First Saturday of October at 1:30:00 AM";
        QTest::newRow("month 0") << 0 << 1 << 0 << 2 << 0 << "";
        QTest::newRow("week 0") << 4 << 0 << 0 << 2 << 0 << "";
        QTest::newRow("weekday 9") << 4 << 1 << 9 << 2 << 0 << "";
    }

    void display() {
        QFETCH(int, month);
        QFETCH(int, week);
        QFETCH(int, dayOfWeek);
        QFETCH(int, hour);
        QFETCH(int, minute);
        QFETCH(QString, expected);
        QCOMPARE(yearly(month, week, dayOfWeek, hour, minute).Display(), expected);
    }

    void displayOfAbsoluteDate() {
        ZoneRule rule;
        rule.Begin(2007, 3, 11, 0, 2, 0, 0);
        QCOMPARE(rule.Display(), QStringLiteral("3/11/%1 2:00:00 AM").arg(thisYear()));
        rule.Begin(2007, 11, 4, 0, 0, 0, 0);
        QCOMPARE(rule.Display(), QStringLiteral("11/4/%1").arg(thisYear()));
    }

    void serializeWritesFifteenFields() {
        ZoneRule rule;
        rule.Begin(0, 3, 2, 0, 2, 0, 0);
        QCOMPARE(rule.Serialize(2), QStringLiteral("0;0;0;3;2;2;0;2;0;0;;;;;"));
        rule.setEffectiveDate(wall(2007, 3, 11, 2));
        QCOMPARE(rule.Serialize(1), QStringLiteral("0,39152.0833333333,2007,3,11,2,0,2,0,0,,,,,"));
        QCOMPARE(rule.Serialize(0).count(QLatin1Char('\t')), 14);
        QCOMPARE(rule.Serialize(3), QStringLiteral("039152.0833333333200731120200"));
    }

    void serializeRoundTrip_data() {
        QTest::addColumn<int>("format");
        QTest::newRow("tab") << 0;
        QTest::newRow("comma") << 1;
        QTest::newRow("semicolon") << 2;
    }

    void serializeRoundTrip() {
        QFETCH(int, format);
        ZoneRule rule = yearly(10, 5, 0, 3, 15, 30);
        rule.setEffectiveDate(wall(2026, 10, 25, 3, 15, 30));
        rule.setWeek(5);
        ZoneRule copy;
        QVERIFY(copy.setSerialize(format, rule.Serialize(format)));
        QCOMPARE(copy.Serialize(format), rule.Serialize(format));
        QCOMPARE(copy.storedEffectiveDate(), wall(2026, 10, 25, 3, 15, 30));
        QCOMPARE(copy.Week(), 5);
    }

    void decimalCommaDoesNotSplitTheCommaForm() {
        ZoneRule rule;
        rule.setEffectiveDate(wall(2007, 3, 11, 2));
        const QLocale saved;
        QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
        const QString text = rule.Serialize(1);
        ZoneRule copy;
        const bool read = copy.setSerialize(1, text);
        QLocale::setDefault(saved);
        QCOMPARE(text.split(QLatin1Char(',')).size(), 15);
        QVERIFY(read);
        QCOMPARE(copy.storedEffectiveDate(), wall(2007, 3, 11, 2));
        QCOMPARE(copy.Year(), 2007);
    }

    void unreadableTextsLeaveTheRule_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("result");
        QTest::newRow("empty") << "" << true;
        QTest::newRow("14 fields") << "0;0;2007;3;11;2;0;2;0;0;;;;" << true;
        QTest::newRow("version 1") << "1;0;2007;3;11;2;0;2;0;0;;;;;" << true;
        QTest::newRow("version 00") << "00;0;2007;3;11;2;0;2;0;0;;;;;" << true;
        QTest::newRow("day count not a number") << "0;soon;2007;3;11;2;0;2;0;0;;;;;" << false;
        QTest::newRow("month not a number") << "0;0;2007;March;11;2;0;2;0;0;;;;;" << false;
        QTest::newRow("day count out of range") << "0;1e300;2007;3;11;2;0;2;0;0;;;;;" << false;
    }

    void unreadableTextsLeaveTheRule() {
        QFETCH(QString, text);
        QFETCH(bool, result);
        ZoneRule rule = yearly(4, 1, 0, 2);
        const QString before = rule.Serialize(2);
        QCOMPARE(rule.setSerialize(2, text), result);
        QCOMPARE(rule.Serialize(2), before);
    }
};

QTEST_GUILESS_MAIN(TestZoneRule)
#include "tst_zonerule.moc"
