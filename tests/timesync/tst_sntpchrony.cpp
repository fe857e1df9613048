#include "support/FakeClockSetter.h"
#include "support/SntpResponder.h"
#include "timesync/SntpClient.h"

#include <QUdpSocket>
#include <QtTest>
#include <optional>

// Against a real NTP server: chronyd, started on a loopback port for the test with clock control
// off (-x), so it serves the machine's time and never changes it. -U lets it start without root.
class SntpChronyTest : public QObject {
    Q_OBJECT

    QString chronyd;
    std::unique_ptr<QTemporaryDir> dir;
    std::unique_ptr<QProcess> server;
    quint16 port = 0;

    static quint16 freeLoopbackPort() {
        QUdpSocket probe;
        probe.bind(QHostAddress::LocalHost, 0);
        return probe.localPort();
    }

    bool writeFile(const QString& name, const QString& text) const {
        QFile file(dir->filePath(name));
        return file.open(QIODevice::WriteOnly) && file.write(text.toUtf8()) == text.toUtf8().size();
    }

    struct Outcome {
        bool succeeded = false;
        QStringList lines;
        qint64 offsetUs = 0;
        int stratum = -1;
        qint64 roundTripMs = 0;
    };
    // The exchange with the shortest round trip of a few: the one the machine's load disturbed least.
    Outcome bestExchange(quint16 serverPort, int attempts, int tickMs = 1000) const {
        Outcome best;
        for (int attempt = 0; attempt < attempts; ++attempt) {
            const Outcome next = exchange(serverPort, tickMs);
            if (next.succeeded && (!best.succeeded || next.roundTripMs < best.roundTripMs)) {
                best = next;
            } else if (!best.succeeded) {
                best.lines = next.lines;
            }
        }
        return best;
    }

    // chronyd -Q: one measurement of the server at the port, printed and never applied; -x as well,
    // so that it could not touch the clock even if -Q meant otherwise. The event loop runs while it
    // measures, so a server of this process can answer. The correction in seconds (server minus
    // computer), and what chronyd printed.
    struct Measurement {
        std::optional<double> seconds;
        QString output;
    };
    Measurement chronyMeasurement(quint16 serverPort) const {
        if (!writeFile("query.conf", QStringLiteral("server 127.0.0.1 port %1 iburst\ncmdport 0\n"
                                                    "bindcmdaddress /\npidfile %2/query.pid\n")
                                         .arg(serverPort)
                                         .arg(dir->path()))) {
            return {std::nullopt, QStringLiteral("cannot write the configuration")};
        }
        QProcess query;
        query.setProcessChannelMode(QProcess::MergedChannels);
        query.start(chronyd, {"-U", "-Q", "-x", "-f", dir->filePath("query.conf")});
        if (!QTest::qWaitFor([&] { return query.state() == QProcess::NotRunning; }, 40000)) {
            query.kill();
            query.waitForFinished(5000);
        }
        const QString output = QString::fromUtf8(query.readAll());
        static const QRegularExpression wrongBy(
            QStringLiteral("System clock wrong by (-?[0-9.]+) seconds \\(ignored\\)"));
        const QRegularExpressionMatch match = wrongBy.match(output);
        if (!match.hasMatch()) {
            return {std::nullopt, output};
        }
        return {match.captured(1).toDouble(), output};
    }

    Outcome exchange(quint16 serverPort, int tickMs = 1000) const {
        FakeClockSetter setter;
        SystemHostLookup lookup;
        SntpClient client(setter, lookup);
        client.setTiming({tickMs, 5});
        Outcome outcome;
        connect(&client, &SntpClient::lineLogged, [&](const QString& line) { outcome.lines << line; });
        connect(&client, &SntpClient::serverAnswered, [&](int, int stratum, qint64 roundTripMs) {
            outcome.stratum = stratum;
            outcome.roundTripMs = roundTripMs;
        });
        QSignalSpy succeeded(&client, &SntpClient::exchangeSucceeded);
        QSignalSpy failed(&client, &SntpClient::requestFailed);
        QSignalSpy stopped(&client, &SntpClient::exchangeStopped);
        client.SendSntpRequest({QStringLiteral("127.0.0.1"), serverPort, -1}, SntpClient::kDialogFlags);
        (void)QTest::qWaitFor([&] { return !succeeded.isEmpty() || !failed.isEmpty() || !stopped.isEmpty(); },
                              7000);
        outcome.succeeded = !succeeded.isEmpty();
        outcome.offsetUs = setter.offsets.value(0);
        return outcome;
    }

private Q_SLOTS:
    void initTestCase() {
        chronyd = QStandardPaths::findExecutable("chronyd", {"/usr/sbin", "/sbin", "/usr/bin"});
        if (chronyd.isEmpty()) {
            QSKIP("chronyd is not installed (Debian package chrony)");
        }
    }

    void init() {
        dir = std::make_unique<QTemporaryDir>();
        QVERIFY(dir->isValid());
        // chronyd drops root privileges after start-up; its files must stay reachable then.
        QFile::setPermissions(dir->path(), QFileDevice::ReadOwner | QFileDevice::WriteOwner |
                                               QFileDevice::ExeOwner | QFileDevice::ReadOther |
                                               QFileDevice::ExeOther | QFileDevice::ReadGroup |
                                               QFileDevice::ExeGroup);
        port = freeLoopbackPort();
        QVERIFY(writeFile("server.conf", QStringLiteral("port %1\nbindaddress 127.0.0.1\nallow 127.0.0.1\n"
                                                        "local stratum 8\ncmdport 0\nbindcmdaddress /\n"
                                                        "pidfile %2/server.pid\ndriftfile %2/drift\n")
                                             .arg(port)
                                             .arg(dir->path())));
        server = std::make_unique<QProcess>();
        server->setProcessChannelMode(QProcess::MergedChannels);
        server->start(chronyd, {"-U", "-x", "-d", "-f", dir->filePath("server.conf")});
        QVERIFY(server->waitForStarted(5000));
    }

    void cleanup() {
        if (server && server->state() != QProcess::NotRunning) {
            server->terminate();
            if (!server->waitForFinished(5000)) {
                server->kill();
                server->waitForFinished(5000);
            }
        }
        server.reset();
        dir.reset();
    }

    void differenceAgreesWithChrony() {
        // The server answers once it has read its configuration; try a few times until then.
        Outcome ours;
        for (int attempt = 0; attempt < 5 && !ours.succeeded; ++attempt) {
            ours = exchange(port);
        }
        QVERIFY2(ours.succeeded, qPrintable(ours.lines.join('\n') + '\n' + server->readAll()));
        QCOMPARE(ours.stratum, 8);  // the "local stratum" of its configuration
        QCOMPARE(ours.lines.size(), 5);
        QVERIFY(ours.lines.last().startsWith("Difference/adjustment to computer's clock: "));
        ours = bestExchange(port, 5);
        QVERIFY(ours.succeeded);

        const Measurement chrony = chronyMeasurement(port);
        QVERIFY2(chrony.seconds, qPrintable(chrony.output));
        // chrony prints the correction the clock would need: server minus computer, as we do.
        const double chronySeconds = *chrony.seconds;
        const double ourSeconds = double(ours.offsetUs) / 1e6;
        // Ours can be off by half its round trip at most, which on a quiet machine is well below.
        const double tolerance = 0.001 + double(ours.roundTripMs) / 2000.0;
        QVERIFY2(qAbs(chronySeconds - ourSeconds) <= tolerance,
                 qPrintable(QStringLiteral("chrony %1 s, ours %2 s").arg(chronySeconds).arg(ourSeconds)));
    }

    // A server that holds each request for a second and says so in its timestamps: chrony's own
    // measurement and ours agree to the millisecond, the second taken out by both.
    void busyServerAgreesWithChrony() {
        SntpResponder responder;
        responder.answer = [](const QByteArray& request) {
            return QList<QByteArray>{SntpResponder::reply(request, 2500)};
        };
        responder.delayMs = 1000;
        responder.stampsWhenSent = true;
        const Outcome ours = bestExchange(responder.port(), 4);
        QVERIFY2(ours.succeeded, qPrintable(ours.lines.join('\n')));
        QVERIFY2(ours.roundTripMs < 500, qPrintable(ours.lines.join('\n')));

        const Measurement chrony = chronyMeasurement(responder.port());
        QVERIFY2(chrony.seconds, qPrintable(chrony.output));
        const double chronySeconds = *chrony.seconds;
        const double ourSeconds = double(ours.offsetUs) / 1e6;
        // chrony too took the held second out (its sample has its own scheduling error).
        QVERIFY2(qAbs(chronySeconds - 2.5) <= 0.01, qPrintable(QString::number(chronySeconds)));
        // This server stamps in an event loop, not in the kernel: on a busy machine each sample,
        // chrony's as well, may be off by up to half the round trip it saw.
        QVERIFY2(qAbs(chronySeconds - ourSeconds) <= 0.001 + double(ours.roundTripMs) / 1000.0,
                 qPrintable(QStringLiteral("chrony %1 s, ours %2 s, round trip %3 ms")
                                .arg(chronySeconds)
                                .arg(ourSeconds)
                                .arg(ours.roundTripMs)));
    }
};

QTEST_GUILESS_MAIN(SntpChronyTest)
#include "tst_sntpchrony.moc"
