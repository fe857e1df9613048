#include "timesync/BuiltinTimeServerList.h"
#include "timesync/TimeServerTable.h"

#include <QSet>
#include <QtTest>

class TestTimeServerTable : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void everyBuiltinRecordIsComplete() {
        const QStringList slotTexts = FillBuiltinServerList();
        QVERIFY(slotTexts.size() > 200);
        QCOMPARE(slotTexts.at(0), QString());
        QSet<QString> hosts;
        for (qsizetype slot = 1; slot < slotTexts.size(); ++slot) {
            const QString& text = slotTexts[slot];
            if (text.isEmpty()) {
                continue;
            }
            const QStringList fields = text.split(';');
            QCOMPARE(fields.size(), 34);
            TimeServer server;
            QVERIFY2(server.setSerialize(1, text), qPrintable(text));
            QVERIFY2(!server.Country().isEmpty() && !server.Location().isEmpty(), qPrintable(text));
            QVERIFY2(server.Enabled() && server.SntpSupported(), qPrintable(text));
            QVERIFY2(server.Country() != QLatin1String("United States") || !server.State().isEmpty(),
                     qPrintable(text));
            QVERIFY2(fields[6] == QLatin1String("?") || server.Stratum() >= 1, qPrintable(text));
            QCOMPARE(server.Tag(), QString::number(slot));
            QVERIFY2(!hosts.contains(server.HostName().toLower()), qPrintable(server.HostName()));
            hosts.insert(server.HostName().toLower());
            // The pool keeps vendor zones for the vendor's own products; only its public zones
            // (global, continent, two-letter country) may be offered.
            static const QRegularExpression vendorZone(
                QStringLiteral("^(\\d+\\.)?(?!(africa|asia|europe|north-america|oceania|south-america|"
                               "[a-z]{2})\\.)[a-z0-9-]+\\.pool\\.ntp\\.org$"));
            QVERIFY2(!vendorZone.match(server.HostName().toLower()).hasMatch(),
                     qPrintable(server.HostName()));
        }
        QVERIFY(hosts.contains(TimeServerTable::defaultHost()));
    }

    void tableHoldsTheRecordsInSlotOrder() {
        TimeServerTable table;
        table.BuildTimeServerTable();
        const QStringList slotTexts = FillBuiltinServerList();
        QCOMPARE(qsizetype(table.timeServers.size()), slotTexts.size() - slotTexts.count(QString()));
        QCOMPARE(table.timeServers.front()->Tag(), QStringLiteral("1"));
        for (size_t position = 0; position < table.timeServers.size(); ++position) {
            QVERIFY(table.timeServers[position]);
            QCOMPARE(table.timeServers[position]->Index(), int(position));
            if (position > 0) {
                QVERIFY(table.timeServers[position]->Tag().toInt() >
                        table.timeServers[position - 1]->Tag().toInt());
            }
        }
    }

    void findTimeServer() {
        TimeServerTable table;
        table.BuildTimeServerTable();
        const QString first = table.timeServers.front()->HostName();
        table.FindTimeServer(first);
        QCOMPARE(table.currentServerIndex, 0);
        QCOMPARE(table.currentServer, table.timeServers.front().get());

        table.FindTimeServer(TimeServerTable::defaultHost().toUpper());
        QVERIFY(table.currentServerIndex != TimeServerTable::kNotFound);
        QCOMPARE(table.currentServer->HostName(), TimeServerTable::defaultHost());
        TimeServer* found = table.currentServer;

        table.FindTimeServer(QStringLiteral("no.such.server.invalid"));
        QCOMPARE(table.currentServerIndex, 999);
        QCOMPARE(table.currentServer, found);
    }

    void ownSlotTexts() {
        const QString a =
            QStringLiteral("1;-1;Chile;;;ntp.shoa.cl;1;SHOA;;;;;NTP;;;;1;;;;;-1;;;;;;0;;;;0;0;0");
        const QString b =
            QStringLiteral("1;-1;Chile;;;NTP.shoa.cl;2;SHOA backup;;;;;NTP;;;;2;;;;;-1;;;;;;0;;;;0;0;0");
        const QString shortText = QStringLiteral("1;-1;Peru;;;time.example.pe");
        TimeServerTable table;
        table.BuildTimeServerTable({QString(), QString(), a, QString(), b, shortText});
        QCOMPARE(table.timeServers.size(), size_t(3));
        QCOMPARE(table.timeServers[2]->HostName(), QStringLiteral("time.example.pe"));  // kept, partly read
        QCOMPARE(table.timeServers[2]->Index(), 2);
        table.FindTimeServer(QStringLiteral("ntp.SHOA.cl"));
        QCOMPARE(table.currentServerIndex, 0);  // the first of two with that name

        table.BuildTimeServerTable({QString(), b});
        QCOMPARE(table.currentServer, nullptr);  // the old records are gone
        QCOMPARE(table.currentServerIndex, 999);
        QCOMPARE(table.timeServers.size(), size_t(1));
    }

    void processWideTable() {
        timeServerTable().BuildTimeServerTable();
        QVERIFY(!timeServerTable().timeServers.empty());
    }
};

QTEST_GUILESS_MAIN(TestTimeServerTable)
#include "tst_timeservertable.moc"
