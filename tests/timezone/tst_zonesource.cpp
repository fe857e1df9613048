#include "platform/linux/LinuxTimeZoneSource.h"
#include "support/FakeTimeZoneSource.h"
#include "timezone/PosixTzRule.h"
#include "timezone/TimeZone.h"
#include "timezone/TzifFooter.h"
#include "timezone/ZoneInformationReader.h"

#include <QtEndian>
#include <QtTest>

namespace {

QByteArray bigEndian(quint32 value) {
    QByteArray bytes(4, '\0');
    qToBigEndian(value, bytes.data());
    return bytes;
}

// A compiled zone file with one transition and one local time type, and the given footer line.
QByteArray tzif(char version, const QByteArray& footer, bool withFooter = true) {
    const auto header = [version] {
        QByteArray bytes("TZif");
        bytes.append(version).append(QByteArray(15, '\0'));
        for (const quint32 count : {0u, 0u, 0u, 1u, 1u, 4u}) {  // utc, std, leap, time, type, chars
            bytes.append(bigEndian(count));
        }
        return bytes;
    };
    const QByteArray type = bigEndian(quint32(-18000)) + QByteArray("\0\0", 2);
    QByteArray file = header() + bigEndian(0) + QByteArray(1, '\0') + type + QByteArray("EST\0", 4);
    if (version >= '2') {
        file += header() + QByteArray(8, '\0') + QByteArray(1, '\0') + type + QByteArray("EST\0", 4);
        if (withFooter) {
            file += '\n' + footer + '\n';
        }
    }
    return file;
}

}  // namespace

class TestZoneSource : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void malformedRulesAreRefused_data() {
        QTest::addColumn<QString>("rule");
        for (const char* rule :
             {"", "EST", "ES5", "EST25", "EST5EDT,", "EST5EDT,M3.2.0", "EST5EDT,M13.2.0,M11.1.0",
              "EST5EDT,M3.6.0,M11.1.0", "EST5EDT,M3.2.7,M11.1.0", "EST5EDT,J0,M11.1.0", "EST5EDT,366,J365",
              "EST5EDT,M3.2.0/168,M11.1.0", "EST5EDT,M3.2.0,M11.1.0,M12.1.0", "EST5:60", "<AB>5", "<EST5",
              "Europe/Berlin", ":America/New_York", "EST5EDT M3.2.0,M11.1.0"}) {
            QTest::newRow(rule) << QString::fromLatin1(rule);
        }
    }

    void malformedRulesAreRefused() {
        QFETCH(QString, rule);
        QVERIFY(!PosixTzRule::parse(rule));
    }

    void ruleDetails() {
        const auto rule = PosixTzRule::parse(QStringLiteral("<+0330>-3:30<+0430>,J79/24,J263/24:00:00"));
        QVERIFY(rule);
        QCOMPARE(rule->standardOffsetSeconds, 12600);
        QCOMPARE(rule->daylightOffsetSeconds, 16200);
        QCOMPARE(rule->daylightStart.form, PosixTzRule::Transition::Form::JulianNoLeap);
        QCOMPARE(rule->daylightStart.day, 79);
        QCOMPARE(rule->daylightEnd.timeSeconds, 24 * 3600);
        const auto permanent = PosixTzRule::parse(QStringLiteral("EST5EDT,0/0,J365/25"));
        QVERIFY(permanent);
        QCOMPARE(permanent->daylightStart.form, PosixTzRule::Transition::Form::ZeroBasedDay);
        QCOMPARE(permanent->daylightEnd.timeSeconds, 25 * 3600);
    }

    void footerOfCompiledZoneFile() {
        QCOMPARE(TzifFooter::read(tzif('2', "EST5EDT,M3.2.0,M11.1.0")),
                 QStringLiteral("EST5EDT,M3.2.0,M11.1.0"));
        QCOMPARE(TzifFooter::read(tzif('4', "")), QString());
        QVERIFY(!TzifFooter::read(tzif('\0', "EST5")));            // version 1 has no footer
        QVERIFY(!TzifFooter::read(tzif('2', "EST5", false)));      // cut off before it
        QVERIFY(!TzifFooter::read(tzif('2', "EST5").chopped(1)));  // no closing line break
        QVERIFY(!TzifFooter::read(QByteArray("TZif2")));
        QVERIFY(!TzifFooter::read(QByteArray("not a zone file at all, but long enough for a header....")));
        QByteArray huge = tzif('2', "EST5");
        huge.replace(20 + 12, 4, bigEndian(0xFFFFFFFFu));  // an absurd transition count
        QVERIFY(!TzifFooter::read(huge));
    }

    void tzVariableComesFirst() {
        FakeTimeZoneSource source = FakeTimeZoneSource::withRule(QStringLiteral("JST-9"));
        source.files.insert(QString(), tzif('2', "EST5EDT,M3.2.0,M11.1.0"));
        QCOMPARE(ZoneInformationReader::read(source, 2026).stdBiasGMT, 540);
    }

    void localZoneFileWithoutTz() {
        FakeTimeZoneSource source;
        source.files.insert(QString(), tzif('2', "EST5EDT,M3.2.0,M11.1.0"));
        const ZoneInformation information = ZoneInformationReader::read(source, 2026);
        QCOMPARE(information.stdBiasGMT, -300);
        QCOMPARE(information.dstBiasGMT, -240);
        QCOMPARE(information.daylightDate.month, 3);
        QCOMPARE(information.daylightDate.day, 2);
        QCOMPARE(information.standardDate.month, 11);
    }

    void tzNamingAZoneFile_data() {
        QTest::addColumn<QString>("tz");
        QTest::newRow("with colon") << ":Australia/Sydney";
        QTest::newRow("bare name") << "Australia/Sydney";
    }

    void tzNamingAZoneFile() {
        QFETCH(QString, tz);
        FakeTimeZoneSource source = FakeTimeZoneSource::withRule(tz);
        source.files.insert(QStringLiteral("Australia/Sydney"), tzif('2', "AEST-10AEDT,M10.1.0,M4.1.0/3"));
        const ZoneInformation information = ZoneInformationReader::read(source, 2026);
        QCOMPARE(information.stdBiasGMT, 600);
        QCOMPARE(information.standardDate.hour, 3);
    }

    void emptyTzMeansUtc() {
        FakeTimeZoneSource source = FakeTimeZoneSource::withRule(QString());
        source.qtZone = QTimeZone(3600);
        source.files.insert(QString(), tzif('2', "EST5"));
        QCOMPARE(ZoneInformationReader::read(source, 2026).stdBiasGMT, 0);
    }

    void qtZoneWhenNoRuleCanBeRead() {
        const QTimeZone newYork("America/New_York");
        if (!newYork.isValid()) {
            QSKIP("the system has no zone database");
        }
        FakeTimeZoneSource source;
        source.files.insert(QString(), tzif('2', ""));  // a zone whose rule cannot be written as TZ
        source.qtZone = newYork;
        const ZoneInformation information = ZoneInformationReader::read(source, 2026);
        QCOMPARE(information.stdBiasGMT, -300);
        QCOMPARE(information.dstBiasGMT, -240);
        const TransitionDate& start = information.daylightDate;
        QCOMPARE((QList<int>{start.year, start.month, start.day, start.dayOfWeek, start.hour}),
                 (QList<int>{2026, 3, 8, 0, 2}));
        const TransitionDate& standard = information.standardDate;
        QCOMPARE((QList<int>{standard.year, standard.month, standard.day, standard.hour}),
                 (QList<int>{2026, 11, 1, 2}));
    }

    void qtZoneWithWinterAsDaylightTime() {
        const QTimeZone dublin("Europe/Dublin");
        if (!dublin.isValid()) {
            QSKIP("the system has no zone database");
        }
        const ZoneInformation information = ZoneInformationReader::fromQtZone(dublin, 2026);
        // However the database counts Irish winter time, local time must come out right.
        const int summer = information.daylightDate.month < information.standardDate.month
                               ? information.dstBiasGMT
                               : information.stdBiasGMT;
        QCOMPARE(summer, 60);
    }

    void qtZoneWithoutDaylightTime() {
        const ZoneInformation information = ZoneInformationReader::fromQtZone(QTimeZone(19800), 2026);
        QCOMPARE(information.stdBiasGMT, 330);
        QCOMPARE(information.dstBiasGMT, 330);
        QCOMPARE(information.daylightDate.month, 0);
        QCOMPARE(information.standardDate.month, 0);
    }

    void systemZoneDatabase() {
        const QString directory = LinuxTimeZoneSource::instance().zoneDirectory();
        if (!QFile::exists(directory + QStringLiteral("/America/Sao_Paulo"))) {
            QSKIP("the system has no zone database");
        }
        const QByteArray savedTz = qgetenv("TZ");
        const bool hadTz = qEnvironmentVariableIsSet("TZ");
        qputenv("TZ", ":Australia/Adelaide");
        const TimeZone adelaide(LinuxTimeZoneSource::instance(), 2026);
        qputenv("TZ", "America/Sao_Paulo");
        const TimeZone saoPaulo(LinuxTimeZoneSource::instance(), 2026);
        if (hadTz) {
            qputenv("TZ", savedTz);
        } else {
            qunsetenv("TZ");
        }
        QCOMPARE(adelaide.StdBiasGMT(), 570);
        QCOMPARE(adelaide.DstBiasGMT(), 630);
        QCOMPARE(adelaide.DstBeg().Month(), 10);
        QCOMPARE(adelaide.StdBeg().Month(), 4);
        QCOMPARE(adelaide.StdBeg().Hour(), 3);
        QCOMPARE(saoPaulo.StdBiasGMT(), -180);  // no daylight-saving time since 2019
        QVERIFY(!saoPaulo.DstAvailable());
        QCOMPARE(adelaide.TimeZoneRegKey(), directory);
    }

    void zoneFileNamesStayInTheZoneDirectory_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("path");
        QTest::newRow("plain") << "Europe/Berlin"
                               << "/zi/Europe/Berlin";
        QTest::newRow("absolute") << "/etc/localtime"
                                  << "/etc/localtime";
        QTest::newRow("climbs out") << "../../etc/shadow"
                                    << "";
        QTest::newRow("climbs out later") << "Europe/../../x"
                                          << "";
        QTest::newRow("empty part") << "Europe//Berlin"
                                    << "";
    }

    void zoneFileNamesStayInTheZoneDirectory() {
        QFETCH(QString, name);
        QFETCH(QString, path);
        QCOMPARE(LinuxTimeZoneSource::zoneFilePath(name, QStringLiteral("/zi")), path);
    }
};

QTEST_GUILESS_MAIN(TestZoneSource)
#include "tst_zonesource.moc"
