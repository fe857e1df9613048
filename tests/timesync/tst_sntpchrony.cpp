#include "support/FakeClockSetter.h"
#include "timesync/SntpClient.h"

#include <QUdpSocket>
#include <QtTest>

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
    Outcome exchange() const {
        FakeClockSetter setter;
        SystemHostLookup lookup;
        SntpClient client(setter, lookup);
        Outcome outcome;
        connect(&client, &SntpClient::lineLogged, [&](const QString& line) { outcome.lines << line; });
        connect(&client, &SntpClient::serverAnswered, [&](int, int stratum, qint64 roundTripMs) {
            outcome.stratum = stratum;
            outcome.roundTripMs = roundTripMs;
        });
        QSignalSpy succeeded(&client, &SntpClient::exchangeSucceeded);
        QSignalSpy failed(&client, &SntpClient::requestFailed);
        QSignalSpy stopped(&client, &SntpClient::exchangeStopped);
        client.SendSntpRequest({QStringLiteral("127.0.0.1"), port, -1}, SntpClient::kDialogFlags);
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
            ours = exchange();
        }
        QVERIFY2(ours.succeeded, qPrintable(ours.lines.join('\n') + '\n' + server->readAll()));
        QCOMPARE(ours.stratum, 8);  // the "local stratum" of its configuration
        QCOMPARE(ours.lines.size(), 5);
        QVERIFY(ours.lines.last().startsWith("Difference/adjustment to computer's clock: "));

        // chronyd -Q measures the same server and only prints the offset; -x as well, so that
        // it could not touch the clock even if -Q meant otherwise.
        QVERIFY(writeFile("query.conf", QStringLiteral("server 127.0.0.1 port %1 iburst\ncmdport 0\n"
                                                       "bindcmdaddress /\npidfile %2/query.pid\n")
                                            .arg(port)
                                            .arg(dir->path())));
        QProcess query;
        query.setProcessChannelMode(QProcess::MergedChannels);
        query.start(chronyd, {"-U", "-Q", "-x", "-f", dir->filePath("query.conf")});
        QVERIFY(query.waitForFinished(30000));
        const QString output = QString::fromUtf8(query.readAll());
        static const QRegularExpression wrongBy(
            QStringLiteral("System clock wrong by (-?[0-9.]+) seconds \\(ignored\\)"));
        const QRegularExpressionMatch match = wrongBy.match(output);
        QVERIFY2(match.hasMatch(), qPrintable(output));
        // chrony prints the correction the clock would need: server minus computer, as we do.
        const double chronySeconds = match.captured(1).toDouble();
        const double ourSeconds = double(ours.offsetUs) / 1e6;
        // Either measurement may be off by up to half its round trip; on a busy machine that is more
        // than the few milliseconds an idle loopback exchange takes.
        const double tolerance = qMax(0.005, double(ours.roundTripMs) / 1000.0);
        QVERIFY2(qAbs(chronySeconds - ourSeconds) <= tolerance,
                 qPrintable(QStringLiteral("chrony %1 s, ours %2 s").arg(chronySeconds).arg(ourSeconds)));
    }
};

QTEST_GUILESS_MAIN(SntpChronyTest)
#include "tst_sntpchrony.moc"
