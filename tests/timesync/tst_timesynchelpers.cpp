#include "timesync/SntpPacket.h"
#include "timesync/SntpTarget.h"
#include "timesync/TimeSync.h"

#include <QtTest>

using namespace TimeSync;

// The arithmetic and texts of an exchange: exact milliseconds, halves to even, and the log texts.
class TimeSyncHelpersTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void timestampToMilliseconds_data() {
        QTest::addColumn<quint64>("timestamp");
        QTest::addColumn<qint64>("milliseconds");
        QTest::newRow("3783942016.5") << Q_UINT64_C(0xE18A5F8080000000) << Q_INT64_C(3783942016500);
        // 0.0625 s is 62.5 ms exactly: the half goes to the even 62; 0.1875 s gives 188.
        QTest::newRow("half down to even")
            << ((Q_UINT64_C(0xE18A5F80) << 32) | 0x10000000u) << Q_INT64_C(3783942016062);
        QTest::newRow("half up to even")
            << ((Q_UINT64_C(0xE18A5F80) << 32) | 0x30000000u) << Q_INT64_C(3783942016188);
        QTest::newRow("just below a half")
            << ((Q_UINT64_C(0xE18A5F80) << 32) | 0x0FFFFFFFu) << Q_INT64_C(3783942016062);
        QTest::newRow("last of era 0") << Q_UINT64_C(0xFFFFFFFF00000000) << Q_INT64_C(4294967295000);
        // Top bit clear: era 1, which begins at 2036-02-07 06:28:16 UTC.
        QTest::newRow("first of era 1") << Q_UINT64_C(0x0000000100000000) << Q_INT64_C(4294967297000);
    }
    void timestampToMilliseconds() {
        QFETCH(quint64, timestamp);
        QFETCH(qint64, milliseconds);
        QCOMPARE(NtpTimestampToMilliseconds(timestamp), milliseconds);
    }

    void era1IsAfter2036() {
        const qint64 unixMs =
            NtpTimestampToMilliseconds(Q_UINT64_C(0x0000001000000000)) - kMillisecondsFrom1900To1970;
        QCOMPARE(QDateTime::fromMSecsSinceEpoch(unixMs, QTimeZone::utc()),
                 QDateTime(QDate(2036, 2, 7), QTime(6, 28, 32), QTimeZone::utc()));
    }

    void timestampToNanoseconds() {
        // 0.5 s exactly; 2^-32 s is 0.2328 ns, which rounds to 0; 2^-31 s is 0.4657 ns, to 0 too,
        // and 3 x 2^-32 s (0.6985 ns) to 1.
        const qint64 base = Q_INT64_C(3783942016) * 1000000000 - kNanosecondsFrom1900To1970;
        QCOMPARE(NtpTimestampToUnixNanoseconds(Q_UINT64_C(0xE18A5F8080000000)), base + 500000000);
        QCOMPARE(NtpTimestampToUnixNanoseconds(Q_UINT64_C(0xE18A5F8000000001)), base);
        QCOMPARE(NtpTimestampToUnixNanoseconds(Q_UINT64_C(0xE18A5F8000000003)), base + 1);
        // Era 1 as for milliseconds.
        QCOMPARE(NtpTimestampToUnixNanoseconds(Q_UINT64_C(0x0000001000000000)),
                 NtpTimestampToMilliseconds(Q_UINT64_C(0x0000001000000000)) * 1000000 -
                     kNanosecondsFrom1900To1970);
    }

    // T1..T4 in nanoseconds, the offset and the round trip they give.
    void offsetAndRoundTrip_data() {
        QTest::addColumn<qint64>("t1");
        QTest::addColumn<qint64>("t2");
        QTest::addColumn<qint64>("t3");
        QTest::addColumn<qint64>("t4");
        QTest::addColumn<qint64>("offset");
        QTest::addColumn<qint64>("roundTrip");
        // Clocks agree, 0.3 ms each way, the server holds the request for a second: no offset.
        QTest::newRow("busy server") << Q_INT64_C(0) << Q_INT64_C(300000) << Q_INT64_C(1000300000)
                                     << Q_INT64_C(1000600000) << Q_INT64_C(0) << Q_INT64_C(600000);
        // The server 2.5 s ahead, 50 ms each way.
        QTest::newRow("server ahead")
            << Q_INT64_C(1000000000) << Q_INT64_C(3550000000) << Q_INT64_C(3550000000)
            << Q_INT64_C(1100000000) << Q_INT64_C(2500000000) << Q_INT64_C(100000000);
        // Halves go to the even neighbour, below zero as well.
        QTest::newRow("half up to even")
            << Q_INT64_C(0) << Q_INT64_C(3) << Q_INT64_C(3) << Q_INT64_C(0) << Q_INT64_C(3) << Q_INT64_C(0);
        QTest::newRow("half down to even") << Q_INT64_C(0) << Q_INT64_C(-5) << Q_INT64_C(0) << Q_INT64_C(0)
                                           << Q_INT64_C(-2) << Q_INT64_C(-5);
        // A clock off by decades: the legs add up beyond 64 bits.
        QTest::newRow("decades") << Q_INT64_C(0) << Q_INT64_C(0x7000000000000000)
                                 << Q_INT64_C(0x7000000000000000) << Q_INT64_C(0)
                                 << Q_INT64_C(0x7000000000000000) << Q_INT64_C(0);
    }
    void offsetAndRoundTrip() {
        QFETCH(qint64, t1);
        QFETCH(qint64, t2);
        QFETCH(qint64, t3);
        QFETCH(qint64, t4);
        QFETCH(qint64, offset);
        QFETCH(qint64, roundTrip);
        const ExchangeTimes times{t1, t2, t3, t4};
        QCOMPARE(clockOffsetNs(times), offset);
        QCOMPARE(roundTripNs(times), roundTrip);
    }

    void nanosecondsRoundHalfToEven() {
        QCOMPARE(nanosecondsToMilliseconds(2500000), Q_INT64_C(2));
        QCOMPARE(nanosecondsToMilliseconds(3500000), Q_INT64_C(4));
        QCOMPARE(nanosecondsToMilliseconds(-2500001), Q_INT64_C(-3));
        QCOMPARE(nanosecondsToMicroseconds(1500), Q_INT64_C(2));
        QCOMPARE(nanosecondsToMicroseconds(-1499), Q_INT64_C(-1));
    }

    void texts_data() {
        QTest::addColumn<QString>("actual");
        QTest::addColumn<QString>("expected");
        const QLocale us(QLocale::English, QLocale::UnitedStates);
        QTest::newRow("round trip") << formatRoundTrip(118, us) << "118 msecs (0.118 secs)";
        QTest::newRow("long round trip") << formatRoundTrip(1234, us) << "1,234 msecs (1.234 secs)";
        QTest::newRow("behind by a quarter") << formatDifference(-250, us) << "-.250 secs";
        QTest::newRow("no difference") << formatDifference(0, us) << "+.000 secs";
        QTest::newRow("ahead") << formatDifference(250, us) << "+.250 secs";
        QTest::newRow("whole seconds") << formatDifference(-1375, us) << "-1.375 secs";
        QTest::newRow("grouped") << formatDifference(1234567, us) << "+1,234.567 secs";
        QTest::newRow("decimal comma")
            << formatDifference(-1375, QLocale(QLocale::German, QLocale::Germany)) << "-1,375 secs";
    }
    void texts() {
        QFETCH(QString, actual);
        QFETCH(QString, expected);
        QCOMPARE(actual, expected);
    }

    void formatSystemTimeMs_data() {
        QTest::addColumn<QLocale>("locale");
        QTest::addColumn<QDateTime>("time");
        QTest::addColumn<QString>("text");
        const QLocale us(QLocale::English, QLocale::UnitedStates);
        const QLocale de(QLocale::German, QLocale::Germany);
        const auto utc = [](int y, int mo, int d, int h, int mi, int s, int ms) {
            return QDateTime(QDate(y, mo, d), QTime(h, mi, s, ms), QTimeZone::utc());
        };
        QTest::newRow("morning") << us << utc(2026, 12, 7, 6, 29, 2, 45) << "12/7/2026 6:29:02.045 AM";
        QTest::newRow("midnight keeps the date alone") << us << utc(2026, 12, 7, 0, 0, 0, 500) << "12/7/2026";
        QTest::newRow("seconds 00") << us << utc(2026, 12, 7, 0, 1, 0, 7) << "12/7/2026 12:01:00.007 AM";
        // "17" is the day, the minutes and the seconds: only the seconds get the milliseconds.
        QTest::newRow("repeated digits")
            << us << utc(2017, 12, 17, 6, 17, 17, 9) << "12/17/2017 6:17:17.009 AM";
        QTest::newRow("day and seconds 07")
            << de << utc(2026, 12, 7, 6, 29, 7, 45) << "07.12.2026 06:29:07.045";
    }
    void formatSystemTimeMs() {
        QFETCH(QLocale, locale);
        QFETCH(QDateTime, time);
        QFETCH(QString, text);
        QCOMPARE(FormatSystemTimeMs(time, locale), text);
    }

    // The user's locale all the way: its own digits, and its own separator before the seconds.
    void textsFollowTheDefaultLocale() {
        const QDateTime time(QDate(2026, 12, 7), QTime(6, 29, 2, 45), QTimeZone::utc());
        QLocale::setDefault(QLocale(QLocale::Finnish, QLocale::Finland));
        QCOMPARE(FormatSystemTimeMs(time), "7.12.2026 6.29.02.045");
        QLocale::setDefault(QLocale(QLocale::Arabic, QLocale::Egypt));
        static const QRegularExpression asciiDigit(QStringLiteral("[0-9]"));
        for (const QString& text :
             {FormatSystemTimeMs(time), formatRoundTrip(118), formatDifference(-1375)}) {
            QVERIFY2(!text.contains(asciiDigit), qPrintable(text));
            QVERIFY2(text.contains(QChar(0x0661)), qPrintable(text));  // ARABIC-INDIC DIGIT ONE
        }
        QLocale::setDefault(QLocale::c());
    }

    void requestBytes() {
        const quint64 transmit = SntpPacket::randomTransmitTimestamp();
        QVERIFY(transmit != 0);
        QVERIFY(transmit != SntpPacket::randomTransmitTimestamp());
        const QByteArray request = SntpPacket::request(transmit);
        QCOMPARE(request.size(), 48);
        QCOMPARE(request.at(0), char(0x1B));
        QCOMPARE(request.mid(1, 39), QByteArray(39, '\0'));
        QCOMPARE(qFromBigEndian<quint64>(request.constData() + 40), transmit);
    }

    void replyChecks_data() {
        QTest::addColumn<int>("header");
        QTest::addColumn<int>("stratum");
        QTest::addColumn<quint64>("transmit");
        QTest::addColumn<QString>("rejection");
        const quint64 t = Q_UINT64_C(0xE18A5F8080000000);
        QTest::newRow("version 4") << 0x24 << 2 << t << QString();
        QTest::newRow("version 3, leap second ahead") << 0x5C << 15 << t << QString();
        QTest::newRow("client mode") << 0x23 << 2 << t << "Invalid reply - not a server reply (mode 3)";
        QTest::newRow("broadcast mode") << 0x25 << 2 << t << "Invalid reply - not a server reply (mode 5)";
        QTest::newRow("version 2") << 0x14 << 2 << t << "Invalid reply - unsupported protocol version 2";
        QTest::newRow("leap 3")
            << 0xE4 << 2 << t << "Invalid reply - the server's clock is not synchronized (leap indicator 3)";
        QTest::newRow("kiss-o'-death")
            << 0x24 << 0 << t << "Server refused the request (kiss-o'-death code \"RATE\")";
        QTest::newRow("kiss-o'-death with leap 3, as servers send it")
            << 0xE4 << 0 << t << "Server refused the request (kiss-o'-death code \"RATE\")";
        QTest::newRow("stratum 16") << 0x24 << 16 << t
                                    << "Invalid reply - the server's clock is not synchronized (stratum 16)";
        QTest::newRow("zero transmit") << 0x24 << 2 << quint64(0) << "Server returned invalid time (0)";
    }
    void replyChecks() {
        QFETCH(int, header);
        QFETCH(int, stratum);
        QFETCH(quint64, transmit);
        QFETCH(QString, rejection);
        QByteArray datagram(48, '\0');
        datagram[0] = char(header);
        datagram[1] = char(stratum);
        datagram.replace(12, 4, "RATE");
        qToBigEndian(transmit, datagram.data() + 40);
        const auto reply = SntpPacket::parse(datagram);
        QVERIFY(reply);
        QCOMPARE(SntpPacket::rejection(*reply).value_or(QString()), rejection);
        QVERIFY(!SntpPacket::parse(datagram.left(47)));
        QVERIFY(!SntpPacket::parse(datagram + '\0'));
    }

    void kissCodeStaysPrintable() { QCOMPARE(SntpPacket::kissCode(QByteArray("DE\0\n", 4)), "DE??"); }

    void targets_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("valid");
        QTest::addColumn<QString>("host");
        QTest::addColumn<int>("port");
        QTest::addColumn<QString>("display");
        QTest::newRow("name") << "time.example.org" << true << "time.example.org" << 123
                              << "time.example.org";
        QTest::newRow("name and port")
            << " localhost:10123 " << true << "localhost" << 10123 << "localhost:10123";
        QTest::newRow("IPv4 and port") << "127.0.0.1:123" << true << "127.0.0.1" << 123 << "127.0.0.1";
        QTest::newRow("bare IPv6") << "::1" << true << "::1" << 123 << "::1";
        QTest::newRow("bracketed IPv6") << "[::1]" << true << "::1" << 123 << "::1";
        QTest::newRow("IPv6 and port") << "[::1]:4123" << true << "::1" << 4123 << "[::1]:4123";
        QTest::newRow("empty") << "  " << false << "" << 0 << "";
        QTest::newRow("port only") << ":123" << false << "" << 0 << "";
        QTest::newRow("port 0") << "host:0" << false << "" << 0 << "";
        QTest::newRow("port too big") << "host:65536" << false << "" << 0 << "";
        QTest::newRow("port not a number") << "host:ntp" << false << "" << 0 << "";
        QTest::newRow("unclosed bracket") << "[::1:123" << false << "" << 0 << "";
        QTest::newRow("junk after bracket") << "[::1]x" << false << "" << 0 << "";
        QTest::newRow("name in brackets") << "[ntp.example]:123" << false << "" << 0 << "";
        QTest::newRow("two colons, no IPv6") << "host:12:34" << false << "" << 0 << "";
        QTest::newRow("blank inside") << "ntp example.org" << false << "" << 0 << "";
    }
    void targets() {
        QFETCH(QString, text);
        QFETCH(bool, valid);
        const auto target = SntpTarget::parse(text);
        QCOMPARE(target.has_value(), valid);
        if (!valid) {
            return;
        }
        QTEST(target->hostName, "host");
        QTEST(int(target->port), "port");
        QCOMPARE(target->index, -1);
        QTEST(target->displayName(), "display");
    }
};

QTEST_GUILESS_MAIN(TimeSyncHelpersTest)
#include "tst_timesynchelpers.moc"
