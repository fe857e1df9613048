#include "timesync/BuiltinTimeServerList.h"
#include "timesync/TimeServer.h"

#include <QtTest>

namespace {

// A version 1 text with the given fields set and all others empty, 43 fields long unless cut.
QString version1(const QMap<int, QString>& values, int fieldCount = 43) {
    QStringList fields(fieldCount);
    fields[0] = QStringLiteral("1");
    for (auto it = values.begin(); it != values.end(); ++it) {
        if (it.key() < fieldCount) {
            fields[it.key()] = it.value();
        }
    }
    return fields.join(QLatin1Char(';'));
}

const QMap<int, QString> kComplete = {
    {1, "-1"},
    {2, "Canada"},
    {3, "Ontario"},
    {4, "Ottawa"},
    {5, "time.nrc.ca"},
    {6, "2"},
    {7, "NRC"},
    {8, "45N 75W"},
    {9, "Canada"},
    {10, "Open"},
    {11, "nrc@example.org"},
    {12, "NTP V4"},
    {13, "Cesium"},
    {14, "Linux"},
    {15, "x86"},
    {16, "12"},
    {21, "-1"},
    {27, "0"},
    {31, "-1"},
    {32, "4"},
};

class CountingResolver : public HostResolver {
public:
    QString resolveHostAddress(const QString& hostName) const override {
        ++calls;
        return hostName == QLatin1String("time.nrc.ca") ? QStringLiteral("192.0.2.7") : QString();
    }
    mutable int calls = 0;
};

}  // namespace

class TestTimeServer : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void freshRecordText() {
        const QStringList fields = TimeServer().Serialize(1).split(QLatin1Char(';'));
        QCOMPARE(fields.size(), 43);
        for (int i = 0; i < fields.size(); ++i) {
            QString expected;
            if (i == 0) {
                expected = "1";
            } else if (i == 1 || i == 21) {
                expected = "-1";
            } else if (i == 6 || i == 27 || i == 31 || i == 32) {
                expected = "0";
            }
            QCOMPARE(fields[i], expected);
        }
        QVERIFY(TimeServer().Serialize(1).startsWith("1;-1;"));
    }

    void separators() {
        QCOMPARE(TimeServer::FieldSeparator(1), QStringLiteral(";"));
        QCOMPARE(TimeServer::FieldSeparator(3), QString());
        for (const int format : {0, 2, 4, -1}) {
            QCOMPARE(TimeServer::FieldSeparator(format), QStringLiteral("\t"));
        }
        QCOMPARE(TimeServer().Serialize(0).count('\t'), 42);
    }

    void builtinRecordReadAndWrittenBack() {
        const QString text = FillBuiltinServerList().at(1);
        const QStringList input = text.split(';');
        QCOMPARE(input.size(), 34);
        TimeServer server;
        QVERIFY(server.setSerialize(1, text));
        const QStringList output = server.Serialize(1).split(';');
        QCOMPARE(output.size(), 43);
        QCOMPARE(output.mid(0, 33), input.mid(0, 33));
    }

    void everyFieldOfVersion1() {
        TimeServer server;
        QVERIFY(server.setSerialize(1, version1(kComplete)));
        QCOMPARE(server.Enabled(), true);
        QCOMPARE(server.Country(), QStringLiteral("Canada"));
        QCOMPARE(server.State(), QStringLiteral("Ontario"));
        QCOMPARE(server.City(), QStringLiteral("Ottawa"));
        QCOMPARE(server.HostName(), QStringLiteral("time.nrc.ca"));
        QCOMPARE(server.Stratum(), 2);
        QCOMPARE(server.Location(), QStringLiteral("NRC"));
        QCOMPARE(server.Coords(), QStringLiteral("45N 75W"));
        QCOMPARE(server.Policy(), QStringLiteral("Open"));
        QCOMPARE(server.Contact(), QStringLiteral("nrc@example.org"));
        QCOMPARE(server.SyncProto(), QStringLiteral("NTP V4"));
        QCOMPARE(server.SyncHardware(), QStringLiteral("Cesium"));
        QCOMPARE(server.ServerOpSys(), QStringLiteral("Linux"));
        QCOMPARE(server.ServerHardware(), QStringLiteral("x86"));
        QCOMPARE(server.Tag(), QStringLiteral("12"));
        QCOMPARE(server.DaytimeFormat(), 4);
        QCOMPARE(server.Serialize(1), version1(kComplete));
    }

    void emptyLocationFallsBack() {
        QMap<int, QString> values = kComplete;
        values[7] = QString();
        values[9] = QString();
        TimeServer server;
        QVERIFY(server.setSerialize(1, version1(values)));
        QCOMPARE(server.Location(), QStringLiteral("Canada"));
        QCOMPARE(server.ServiceArea(), QStringLiteral("Canada"));
        server.setLocation(QStringLiteral("NRC Ottawa"));
        QCOMPARE(server.ServiceArea(), QStringLiteral("NRC Ottawa"));
        QCOMPARE(server.Serialize(1).split(';').at(9), QString());  // stored value, no fallback
    }

    void daytimeFormatNeedsDaytimeSupport() {
        QMap<int, QString> values = kComplete;
        values[31] = "0";
        TimeServer server;
        QVERIFY(server.setSerialize(1, version1(values)));
        QCOMPARE(server.DaytimeFormat(), 0);
        QCOMPARE(server.Serialize(1).split(';').at(32), QStringLiteral("4"));
        server.setDaytimeSupported(true);
        QCOMPARE(server.DaytimeFormat(), 4);
    }

    void stratumThatIsNoNumber_data() {
        QTest::addColumn<QString>("field");
        QTest::addColumn<int>("stratum");
        QTest::newRow("question mark") << "?" << -1;
        QTest::newRow("empty") << "" << -1;
        QTest::newRow("number") << "3" << 3;
        QTest::newRow("blanks around") << " 1 " << 1;
    }

    void stratumThatIsNoNumber() {
        QFETCH(QString, field);
        QFETCH(int, stratum);
        QMap<int, QString> values = kComplete;
        values[6] = field;
        TimeServer server;
        QVERIFY(server.setSerialize(1, version1(values)));
        QCOMPARE(server.Stratum(), stratum);
    }

    void textsThatAreIgnored_data() {
        QTest::addColumn<int>("format");
        QTest::addColumn<QString>("text");
        QTest::newRow("empty") << 1 << "";
        QTest::newRow("format 3: one field") << 3 << version1(kComplete);
        QTest::newRow("tab format of a ; text") << 0 << version1(kComplete);
        QTest::newRow("version not a number") << 1 << version1(kComplete).replace(0, 1, "v1");
        QTest::newRow("version 2") << 1 << version1(kComplete).replace(0, 1, "2");
    }

    void textsThatAreIgnored() {
        QFETCH(int, format);
        QFETCH(QString, text);
        TimeServer server;
        server.setHostName(QStringLiteral("kept.example"));
        const QString before = server.Serialize(1);
        QVERIFY(server.setSerialize(format, text));
        QCOMPARE(server.Serialize(1), before);
    }

    void tooFewFieldsKeepWhatWasAssigned() {
        TimeServer server;
        server.setLocation(QStringLiteral("old site"));
        server.setTag(QStringLiteral("old tag"));
        QVERIFY(!server.setSerialize(1, version1(kComplete, 7)));  // fields 0 to 6: stops at Location
        QCOMPARE(server.HostName(), QStringLiteral("time.nrc.ca"));
        QCOMPARE(server.City(), QStringLiteral("Ottawa"));
        QCOMPARE(server.Location(), QStringLiteral("old site"));
        QCOMPARE(server.Stratum(), 0);  // its step comes after Location's
        QCOMPARE(server.Tag(), QStringLiteral("old tag"));
    }

    void booleanThatIsNoBoolean() {
        QMap<int, QString> values = kComplete;
        values[21] = QStringLiteral("maybe");
        TimeServer server;
        QVERIFY(!server.setSerialize(1, version1(values)));
        QCOMPARE(server.Tag(), QStringLiteral("12"));  // read before SntpSupported
        QCOMPARE(server.Stratum(), 0);                 // read after it
        values[21] = QStringLiteral("True");
        QVERIFY(server.setSerialize(1, version1(values)));
        QVERIFY(server.SntpSupported());
    }

    void version0Layout() {
        QStringList fields(31);
        const QMap<int, QString> values = {
            {0, "0"},
            {1, "0"},
            {3, "Germany"},
            {4, "Hessen"},
            {5, "ptbtime1.ptb.de"},
            {6, "PTB"},
            {7, "50N 10E"},
            {8, "Europe"},
            {9, "Open"},
            {10, "NTP V3"},
            {11, "HP"},
            {12, "ptb@example.org"},
            {13, "40"},
            {18, "-1"},
            {19, "1"},
            {25, "-1"},
            {29, "-1"},
            {30, "1"},
        };
        for (auto it = values.begin(); it != values.end(); ++it) {
            fields[it.key()] = it.value();
        }
        TimeServer server;
        server.setCity(QStringLiteral("kept city"));
        server.setSyncHardware(QStringLiteral("kept clock"));
        server.setServerOpSys(QStringLiteral("kept system"));
        QVERIFY(server.setSerialize(0, fields.join('\t')));
        QCOMPARE(server.Enabled(), false);
        QCOMPARE(server.Country(), QStringLiteral("Germany"));
        QCOMPARE(server.State(), QStringLiteral("Hessen"));
        QCOMPARE(server.HostName(), QStringLiteral("ptbtime1.ptb.de"));
        QCOMPARE(server.Location(), QStringLiteral("PTB"));
        QCOMPARE(server.Coords(), QStringLiteral("50N 10E"));
        QCOMPARE(server.ServiceArea(), QStringLiteral("Europe"));
        QCOMPARE(server.Policy(), QStringLiteral("Open"));
        QCOMPARE(server.SyncProto(), QStringLiteral("NTP V3"));
        QCOMPARE(server.ServerHardware(), QStringLiteral("HP"));
        QCOMPARE(server.Contact(), QStringLiteral("ptb@example.org"));
        QCOMPARE(server.Tag(), QStringLiteral("40"));
        QCOMPARE(server.Stratum(), 1);
        QVERIFY(server.TimeSupported());
        QCOMPARE(server.DaytimeFormat(), 1);
        QCOMPARE(server.City(), QStringLiteral("kept city"));
        QCOMPARE(server.SyncHardware(), QStringLiteral("kept clock"));
        QCOMPARE(server.ServerOpSys(), QStringLiteral("kept system"));
        QVERIFY(server.Serialize(1).startsWith(
            QStringLiteral("1;0;Germany;Hessen;kept city;ptbtime1.ptb.de;1;")));
    }

    void ipAddrAsksTheResolverOnEveryRead() {
        TimeServer server;
        server.setHostName(QStringLiteral("time.nrc.ca"));
        QCOMPARE(server.IpAddr(), QString());  // nothing resolves until a resolver is installed
        CountingResolver resolver;
        installHostResolver(&resolver);
        QCOMPARE(server.IpAddr(), QStringLiteral("192.0.2.7"));
        QCOMPARE(server.IpAddr(), QStringLiteral("192.0.2.7"));
        QCOMPARE(resolver.calls, 2);
        server.setHostName(QStringLiteral("unknown.invalid"));
        QCOMPARE(server.IpAddr(), QString());
        installHostResolver(nullptr);
        server.setHostName(QStringLiteral("time.nrc.ca"));
        QCOMPARE(server.IpAddr(), QString());
        QCOMPARE(resolver.calls, 3);
    }

    void validReplyTeachesTheRecord() {
        TimeServer server;
        server.setEnabled(false);
        server.setSntpSupported(false);
        server.setStratum(-1);
        server.recordSntpReply(2, 37);
        QVERIFY(server.Enabled());
        QVERIFY(server.SntpSupported());
        QCOMPARE(server.Stratum(), 2);
        QCOMPARE(server.RoundTrip(), 37);
        server.recordSntpReply(1, 80);
        QCOMPARE(server.Stratum(), 1);
        QCOMPARE(server.RoundTrip(), 37);  // the first measurement stays
    }

    void copiesKeepTheirOwnZone() {
        TimeServer server;
        TimeZone zone = server.timeZone();
        zone.setName(QStringLiteral("Eastern Standard Time"));
        server.setTimeZone(zone);
        TimeServer copy = server;
        copy.timeZone().setName(QStringLiteral("Pacific"));
        QCOMPARE(server.timeZone().RawName(), QStringLiteral("Eastern"));
        QCOMPARE(copy.timeZone().RawName(), QStringLiteral("Pacific"));
    }
};

QTEST_GUILESS_MAIN(TestTimeServer)
#include "tst_timeserver.moc"
