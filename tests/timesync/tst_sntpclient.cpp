#include "platform/DryRunClockSetter.h"
#include "support/FakeClockSetter.h"
#include "support/FakeHostLookup.h"
#include "support/SntpResponder.h"
#include "timesync/SntpClient.h"
#include "timesync/SystemHostResolver.h"
#include "timesync/TimeServer.h"

#include <QHostInfo>
#include <QtTest>

// One exchange against a responder on a loopback port of its own, for every kind of reply.
class SntpClientTest : public QObject {
    Q_OBJECT

    static constexpr int kTickMs = 100;  // a shortened time-out count: 5 ticks of 100 ms

    struct Run {
        FakeClockSetter setter;
        SystemHostLookup lookup;
        SntpClient client{setter, lookup};
        QStringList lines;
        QSignalSpy failed{&client, &SntpClient::requestFailed};
        QSignalSpy stopped{&client, &SntpClient::exchangeStopped};
        QSignalSpy succeeded{&client, &SntpClient::exchangeSucceeded};
        QSignalSpy answered{&client, &SntpClient::serverAnswered};

        explicit Run(HostLookup* otherLookup = nullptr)
            : client(setter, otherLookup ? *otherLookup : static_cast<HostLookup&>(lookup)) {
            client.setTiming({kTickMs, 5});
            client.setLocale(QLocale(QLocale::English, QLocale::UnitedStates));
            QObject::connect(&client, &SntpClient::lineLogged,
                             [this](const QString& line) { lines << line; });
        }
        int outcomes() const { return failed.size() + stopped.size() + succeeded.size(); }
        bool waitForOutcome(int timeoutMs = 5000) {
            return QTest::qWaitFor([this] { return outcomes() > 0; }, timeoutMs);
        }
        void send(const QString& target, int flags = SntpClient::kDialogFlags) {
            client.SendSntpRequest(*SntpTarget::parse(target), flags);
        }
    };

private Q_SLOTS:
    void validReplySetsTheClockByTheDifference_data() {
        QTest::addColumn<quint64>("receive");
        QTest::newRow("received when sent") << Q_UINT64_C(0xE18A5F8080000000);
        QTest::newRow("no receive time") << Q_UINT64_C(0);  // taken as answered at once
    }
    void validReplySetsTheClockByTheDifference() {
        QFETCH(quint64, receive);
        SntpResponder responder;
        // The example reply: 3783942016.5 s since 1900, received 100 ms after sending.
        responder.answer = [receive](const QByteArray& request) {
            QByteArray reply = SntpResponder::reply(request);
            SntpResponder::setTimestamp(reply, 32, receive);
            SntpResponder::setTimestamp(reply, 40, Q_UINT64_C(0xE18A5F8080000000));
            reply[1] = 3;
            return QList<QByteArray>{reply};
        };
        Run run;
        qint64 monotonic = -50'000'000;  // any origin: only differences count
        run.client.setMonotonicClock([&monotonic] {
            const qint64 now = monotonic;
            monotonic += 100'000'000;
            return now;
        });
        // Sent at 15:00:16.700, so received at 16.800 by the computer's clock.
        run.client.setWallClock([] {
            return QDateTime(QDate(2019, 11, 28), QTime(15, 0, 16, 700), QTimeZone::utc())
                       .toMSecsSinceEpoch() *
                   1'000'000;
        });
        run.client.setEarliestDate(QDate(2019, 1, 1));
        run.send(responder.target());
        QVERIFY(run.waitForOutcome());

        QCOMPARE(run.succeeded.size(), 1);
        QCOMPARE(run.succeeded.at(0).at(0).toBool(), true);
        QCOMPARE(run.lines, QStringList({
                                "Connecting to:  " + responder.target(),
                                "Response received in: 100 msecs (0.100 secs)",
                                "Computer's current date/time: 11/28/2019 3:00:16.800 PM",
                                "Server's current date/time: 11/28/2019 3:00:16.550 PM",
                                "Difference/adjustment to computer's clock: -.250 secs",
                            }));
        QCOMPARE(run.setter.offsets, QList<qint64>{-250000});
        QCOMPARE(run.answered.size(), 1);
        QCOMPARE(run.answered.at(0), QVariantList({-1, 3, qint64(100)}));

        // The request: header 0x1B, zeros, and a random transmit time that the reply had to echo.
        QCOMPARE(responder.requests.size(), 1);
        const QByteArray request = responder.requests.at(0);
        QCOMPARE(request.size(), 48);
        QCOMPARE(request.left(40), QByteArray(1, 0x1B) + QByteArray(39, '\0'));
        QVERIFY(request.mid(40) != QByteArray(8, '\0'));
    }

    void liveDifferenceMatchesTheServersOffset() {
        SntpResponder responder;
        responder.answer = [](const QByteArray& request) {
            return QList<QByteArray>{SntpResponder::reply(request, 2500)};
        };
        Run run;
        run.send(responder.target());
        QVERIFY(run.waitForOutcome());
        QCOMPARE(run.succeeded.size(), 1);
        QCOMPARE(run.setter.offsets.size(), 1);
        QVERIFY2(qAbs(run.setter.offsets.at(0) - 2500000) <= 20000,
                 qPrintable(QString::number(run.setter.offsets.at(0))));
        QVERIFY(run.lines.last().contains(
            QRegularExpression("^Difference/adjustment to computer's clock: \\+2\\.(4[89]|5[01])\\d secs$")));
    }

    // A server that holds the request for a second before it answers: its own receive and
    // transmit times take that second out, so the offset is still right to the millisecond and
    // the round trip shown is the network's alone. A sample can be off by half its round trip at
    // most; on a busy machine one waits to be scheduled, so the shortest of a few is taken, as
    // any NTP client does.
    void busyServerAnswersLateButRight() {
        SntpResponder responder;
        responder.answer = [](const QByteArray& request) {
            return QList<QByteArray>{SntpResponder::reply(request, 2500)};
        };
        responder.delayMs = 1000;
        responder.stampsWhenSent = true;
        qint64 bestRoundTrip = std::numeric_limits<qint64>::max();
        qint64 bestOffsetUs = 0;
        for (int attempt = 0; attempt < 5 && bestRoundTrip > 1; ++attempt) {
            Run run;
            run.client.setTiming({1000, 5});
            run.send(responder.target());
            QVERIFY(run.waitForOutcome(7000));
            QCOMPARE(run.succeeded.size(), 1);
            const qint64 roundTrip = run.answered.at(0).at(2).toLongLong();
            QVERIFY2(roundTrip < 500, qPrintable(run.lines.at(1)));
            QCOMPARE(run.lines.at(1), QStringLiteral("Response received in: %1 msecs (0.%2 secs)")
                                          .arg(roundTrip)
                                          .arg(roundTrip, 3, 10, QLatin1Char('0')));
            if (roundTrip < bestRoundTrip) {
                bestRoundTrip = roundTrip;
                bestOffsetUs = run.setter.offsets.value(0);
            }
        }
        QVERIFY2(qAbs(bestOffsetUs - 2500000) <= 1000 + bestRoundTrip * 500,
                 qPrintable(QStringLiteral("%1 us, round trip %2 ms").arg(bestOffsetUs).arg(bestRoundTrip)));
    }

    void ipv6Loopback() {
        SntpResponder responder{QHostAddress(QHostAddress::LocalHostIPv6)};
        if (!responder.listening()) {
            QSKIP("no IPv6 loopback on this machine");
        }
        Run run;
        run.send(responder.target());
        QVERIFY(run.waitForOutcome());
        QCOMPARE(run.succeeded.size(), 1);
        QCOMPARE(run.lines.first(), "Connecting to:  " + responder.target());
    }

    void badRepliesStopWithoutTouchingTheClock_data() {
        QTest::addColumn<int>("kind");
        QTest::addColumn<QString>("lastLine");
        QTest::newRow("47 bytes") << 0 << "Invalid reply - expected 48 bytes, Received 47 bytes";
        QTest::newRow("49 bytes") << 1 << "Invalid reply - expected 48 bytes, Received 49 bytes";
        QTest::newRow("zero transmit") << 2 << "Server returned invalid time (0)";
        QTest::newRow("leap 3")
            << 3 << "Invalid reply - the server's clock is not synchronized (leap indicator 3)";
        QTest::newRow("kiss-o'-death") << 4 << "Server refused the request (kiss-o'-death code \"RATE\")";
        QTest::newRow("wrong mode") << 5 << "Invalid reply - not a server reply (mode 3)";
        QTest::newRow("version 2") << 6 << "Invalid reply - unsupported protocol version 2";
        QTest::newRow("stratum 16") << 7
                                    << "Invalid reply - the server's clock is not synchronized (stratum 16)";
    }
    void badRepliesStopWithoutTouchingTheClock() {
        QFETCH(int, kind);
        QFETCH(QString, lastLine);
        SntpResponder responder;
        responder.answer = [kind](const QByteArray& request) {
            QByteArray reply = SntpResponder::reply(request);
            switch (kind) {
                case 0:
                    reply.chop(1);
                    break;
                case 1:
                    reply.append('\0');
                    break;
                case 2:
                    SntpResponder::setTimestamp(reply, 40, 0);
                    break;
                case 3:
                    reply[0] = char(0xE4);
                    break;
                case 4:
                    reply[1] = 0;
                    reply.replace(12, 4, "RATE");
                    break;
                case 5:
                    reply[0] = char(0x23);
                    break;
                case 6:
                    reply[0] = char(0x14);
                    break;
                case 7:
                    reply[1] = char(16);
                    break;
            }
            return QList<QByteArray>{reply};
        };
        Run run;
        run.send(responder.target());
        QVERIFY(run.waitForOutcome());
        QCOMPARE(run.stopped.size(), 1);
        QCOMPARE(run.lines.last(), lastLine);
        QVERIFY(run.setter.offsets.isEmpty());
        QVERIFY(run.answered.isEmpty());
        // The attempt is over: no time-out follows later.
        QTest::qWait(kTickMs * 7);
        QCOMPARE(run.outcomes(), 1);
    }

    // A transmit time of 0x60000000 s reads as the year 2087; one before the build cannot be right.
    void impossibleTimesNeedMoreThanAReply() {
        SntpResponder responder;
        quint64 transmit = quint64(0x60000000) << 32;
        responder.answer = [&transmit](const QByteArray& request) {
            QByteArray reply = SntpResponder::reply(request);
            SntpResponder::setTimestamp(reply, 32, transmit);
            SntpResponder::setTimestamp(reply, 40, transmit);
            return QList<QByteArray>{reply};
        };
        {
            Run run;  // nobody to ask: no
            run.send(responder.target());
            QVERIFY(run.waitForOutcome());
            QCOMPARE(run.stopped.size(), 1);
            QVERIFY(run.setter.offsets.isEmpty());
            QCOMPARE(run.lines.last(),
                     "Clock not changed: the difference is more than one day and was not confirmed");
        }
        {
            Run run;
            QList<qint64> asked;
            run.client.setLargeChangeQuestion([&asked](qint64 differenceMs, const QDateTime& serverTime) {
                asked << differenceMs;
                return serverTime.date().year() == 2087;
            });
            run.send(responder.target());
            QVERIFY(run.waitForOutcome());
            QCOMPARE(run.succeeded.size(), 1);
            QCOMPARE(asked.size(), 1);
            QVERIFY(asked.first() > 60LL * 365 * 86400 * 1000);
            QCOMPARE(run.setter.offsets.size(), 1);  // in microseconds, the question in milliseconds
            QVERIFY(qAbs(run.setter.offsets.first() - asked.first() * 1000) <= 500);
        }
        {
            Run run;
            bool asked = false;
            run.client.setLargeChangeQuestion([&asked](qint64, const QDateTime&) { return asked = true; });
            run.client.setEarliestDate(QDate(2026, 1, 1));
            transmit = SntpResponder::ntpTimestamp(
                QDateTime(QDate(2025, 12, 31), QTime(12, 0), QTimeZone::utc()).toMSecsSinceEpoch());
            run.send(responder.target());
            QVERIFY(run.waitForOutcome());
            QCOMPARE(run.stopped.size(), 1);
            QVERIFY(!asked);
            QVERIFY(run.setter.offsets.isEmpty());
            QVERIFY(run.lines.last().startsWith(
                "Invalid reply - the server's date is earlier than this program"));
        }
    }

    void replyNotOursIsIgnoredAndTheWaitGoesOn() {
        SntpResponder responder;
        responder.answer = [](const QByteArray& request) {
            QByteArray forged = SntpResponder::reply(request, 3600 * 1000);
            forged[24] = char(forged.at(24) ^ 0x55);
            return QList<QByteArray>{forged, SntpResponder::reply(request)};
        };
        Run run;
        run.send(responder.target());
        QVERIFY(run.waitForOutcome());
        QCOMPARE(run.succeeded.size(), 1);
        QCOMPARE(run.lines.at(1), QStringLiteral("Ignored a reply that is not ours (from 127.0.0.1 port %1)")
                                      .arg(responder.port()));
        QVERIFY(qAbs(run.setter.offsets.value(0)) < 1000000);  // the forged hour was not taken
    }

    void onlyForgedRepliesTimeOut() {
        SntpResponder responder;
        responder.answer = [](const QByteArray& request) {
            QByteArray forged = SntpResponder::reply(request);
            SntpResponder::setTimestamp(forged, 24, 0);
            return QList<QByteArray>{forged};
        };
        Run run;
        run.send(responder.target());
        QVERIFY(run.waitForOutcome());
        QCOMPARE(run.failed.size(), 1);
        QVERIFY(run.setter.offsets.isEmpty());
    }

    void era1ReplyIsAfter2036() {
        SntpResponder responder;
        responder.answer = [](const QByteArray& request) {
            QByteArray reply = SntpResponder::reply(request);
            SntpResponder::setTimestamp(reply, 32, Q_UINT64_C(0x0000001080000000));  // 2036-02-07 06:28:32.5
            SntpResponder::setTimestamp(reply, 40, Q_UINT64_C(0x0000001080000000));
            return QList<QByteArray>{reply};
        };
        Run run;
        run.client.setMonotonicClock([] { return 7; });  // no round trip, so the server time is exact
        run.client.setLargeChangeQuestion([](qint64, const QDateTime&) { return true; });  // ten years on
        run.send(responder.target());
        QVERIFY(run.waitForOutcome());
        QCOMPARE(run.succeeded.size(), 1);
        QCOMPARE(run.lines.at(3), "Server's current date/time: 2/7/2036 6:28:32.500 AM");
        const QDateTime expected(QDate(2036, 2, 7), QTime(6, 28, 32, 500), QTimeZone::utc());
        const qint64 offsetMs = run.setter.offsets.value(0) / 1000;
        QVERIFY(qAbs(QDateTime::currentDateTimeUtc().msecsTo(expected) - offsetMs) < 2000);
    }

    void silenceTimesOutOnceAndClosesTheSocket() {
        SntpResponder responder;
        responder.answer = [](const QByteArray&) { return QList<QByteArray>{}; };
        Run run;
        QElapsedTimer clock;
        clock.start();
        run.send(responder.target());
        QVERIFY(run.waitForOutcome());
        QVERIFY(clock.elapsed() >= 4 * kTickMs);
        QCOMPARE(run.failed.size(), 1);
        QCOMPARE(run.failed.at(0), QVariantList({"UDP", responder.port()}));
        QVERIFY(!run.client.busy());
        QTest::qWait(kTickMs * 7);
        QCOMPARE(run.outcomes(), 1);
    }

    void slowReply_data() {
        QTest::addColumn<int>("delayMs");
        QTest::addColumn<bool>("inTime");
        QTest::newRow("within the time-out") << 2 * kTickMs << true;
        QTest::newRow("after the time-out") << 7 * kTickMs << false;
    }
    void slowReply() {
        QFETCH(int, delayMs);
        QFETCH(bool, inTime);
        SntpResponder responder;
        responder.delayMs = delayMs;
        Run run;
        run.send(responder.target());
        QVERIFY(run.waitForOutcome(5000));
        QCOMPARE(run.succeeded.size(), inTime ? 1 : 0);
        QCOMPARE(run.failed.size(), inTime ? 0 : 1);
        if (inTime) {
            QVERIFY(run.lines.at(1).startsWith("Response received in: "));
            const int roundTrip = run.lines.at(1).section(' ', 3, 3).toInt();
            QVERIFY2(roundTrip >= delayMs - 5 && roundTrip < 5 * kTickMs, qPrintable(run.lines.at(1)));
        }
        QTest::qWait(delayMs + 2 * kTickMs);  // a late reply to a finished request changes nothing
        QCOMPARE(run.outcomes(), 1);
        QCOMPARE(run.setter.offsets.size(), inTime ? 1 : 0);
    }

    void timeOutEndsWhenTheReplyArrives() {
        // The clock service takes longer than the whole time-out: the answered request must not
        // be reported as timed out meanwhile.
        SntpResponder responder;
        Run run;
        run.setter.answerDelayMs = 8 * kTickMs;
        run.send(responder.target());
        QVERIFY(run.waitForOutcome(5000));
        QCOMPARE(run.failed.size(), 0);
        QCOMPARE(run.succeeded.size(), 1);
    }

    void failedSendIsReportedOnce() {
        Run run;
        SntpTarget target{QStringLiteral("127.0.0.1"), 0, 4};  // port 0 cannot be sent to
        run.client.SendSntpRequest(target, SntpClient::kDialogFlags);
        QVERIFY(run.waitForOutcome());
        QCOMPARE(run.failed.size(), 1);
        QCOMPARE(run.failed.at(0), QVariantList({"UDP", 0}));
        QTest::qWait(kTickMs * 7);  // the failed socket is gone: no time-out report follows
        QCOMPARE(run.outcomes(), 1);
    }

    void unresolvableHostStops() {
        FakeHostLookup lookup;
        Run run(&lookup);
        run.send("nowhere.invalid:123");
        QVERIFY(run.waitForOutcome());
        QCOMPARE(run.stopped.size(), 1);
        QCOMPARE(run.lines, QStringList({"Connecting to:  nowhere.invalid",
                                         "Could not resolve host name: nowhere.invalid"}));
        QCOMPARE(run.client.findChildren<QUdpSocket*>().size(), 0);
    }

    void namesResolveThroughTheLookup() {
        SntpResponder responder;
        FakeHostLookup lookup;
        lookup.addresses.insert("time.test", QHostAddress(QHostAddress::LocalHost));
        Run run(&lookup);
        run.send(QStringLiteral("time.test:%1").arg(responder.port()));
        QVERIFY(run.waitForOutcome());
        QCOMPARE(run.succeeded.size(), 1);
        QCOMPARE(lookup.lookups, 1);
    }

    void addressChoice_data() {
        QTest::addColumn<QList<QHostAddress>>("addresses");
        QTest::addColumn<QHostAddress>("chosen");
        const QHostAddress v6a("2001:db8::1"), v6b("2001:db8::2"), v4a("192.0.2.1"), v4b("192.0.2.2");
        QTest::newRow("first IPv4") << QList<QHostAddress>{v6a, v4a, v4b} << v4a;
        QTest::newRow("IPv6 when no IPv4") << QList<QHostAddress>{v6a, v6b} << v6a;
        QTest::newRow("nothing") << QList<QHostAddress>{} << QHostAddress();
    }
    void addressChoice() {
        QFETCH(QList<QHostAddress>, addresses);
        QFETCH(QHostAddress, chosen);
        QCOMPARE(HostLookup::chooseAddress(addresses), chosen);
    }

    static bool systemKnowsLocalhost() {
        return !QHostInfo::fromName(QStringLiteral("localhost")).addresses().isEmpty();
    }

    void systemLookupResolvesLocalNames() {
        if (!systemKnowsLocalhost()) {
            QSKIP("this system does not resolve \"localhost\" (no /etc/hosts entry)");
        }
        SystemHostLookup lookup;
        QObject context;
        QHostAddress found;
        bool called = false;
        lookup.lookup("localhost", &context, [&](const QHostAddress& address) {
            found = address;
            called = true;
        });
        QTRY_VERIFY_WITH_TIMEOUT(called, 10000);
        QCOMPARE(found, QHostAddress(QHostAddress::LocalHost));
        called = false;
        lookup.lookup("", &context, [&](const QHostAddress& address) {
            found = address;
            called = true;
        });
        QVERIFY(called);
        QVERIFY(found.isNull());
    }

    void recordsResolveTheirAddressThroughTheSystem() {
        if (!systemKnowsLocalhost()) {
            QSKIP("this system does not resolve \"localhost\" (no /etc/hosts entry)");
        }
        SystemHostResolver resolver;
        installHostResolver(&resolver);
        TimeServer record;
        record.setHostName("localhost");
        QCOMPARE(record.IpAddr(), "127.0.0.1");
        record.setHostName("::1");
        QCOMPARE(record.IpAddr(), "::1");
        record.setHostName("");
        QCOMPARE(record.IpAddr(), QString());
        installHostResolver(nullptr);
        record.setHostName("localhost");
        QCOMPARE(record.IpAddr(), QString());
    }

    void refusedClockEndsTheAttemptWithItsReason() {
        SntpResponder responder;
        Run run;
        run.setter.result = {ClockSetResult::Outcome::Failed, "Clock not changed: permission refused (no)"};
        run.send(responder.target());
        QVERIFY(run.waitForOutcome());
        QCOMPARE(run.stopped.size(), 1);
        QCOMPARE(run.succeeded.size(), 0);
        QCOMPARE(run.lines.last(), "Clock not changed: permission refused (no)");
        QCOMPARE(run.answered.size(), 1);  // the reply itself was good
    }

    void dryRunSaysSoAndSucceedsWithoutChange() {
        SntpResponder responder;
        DryRunClockSetter dryRun;
        SystemHostLookup lookup;
        SntpClient client(dryRun, lookup);
        QStringList lines;
        connect(&client, &SntpClient::lineLogged, [&lines](const QString& line) { lines << line; });
        QSignalSpy succeeded(&client, &SntpClient::exchangeSucceeded);
        client.SendSntpRequest(*SntpTarget::parse(responder.target()), SntpClient::kDialogFlags);
        QVERIFY(succeeded.wait(5000));
        QCOMPARE(succeeded.at(0).at(0).toBool(), false);
        QCOMPARE(lines.last(), "Clock not changed (dry run)");
    }

    void queryNeverAsksForTheClock() {
        SntpResponder responder;
        Run run;
        run.send(responder.target(), SntpClient::kQueryFlags);
        QVERIFY(run.waitForOutcome());
        QCOMPARE(run.succeeded.size(), 1);
        QVERIFY(run.setter.offsets.isEmpty());
    }

    void abandonedAttemptStaysSilent() {
        SntpResponder responder;
        responder.delayMs = 2 * kTickMs;
        Run run;
        run.send(responder.target());
        QTRY_COMPARE(responder.requests.size(), 1);
        run.client.abandon();
        QTest::qWait(8 * kTickMs);
        QCOMPARE(run.outcomes(), 0);
        QVERIFY(run.setter.offsets.isEmpty());
    }
};

QTEST_GUILESS_MAIN(SntpClientTest)
#include "tst_sntpclient.moc"
