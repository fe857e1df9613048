#include "support/SntpResponder.h"
#include "support/TestEnvironment.h"

#include <QtTest>

// "quorvane --query": the real program, without a display, against a loopback responder.
class SntpQueryTest : public QObject {
    Q_OBJECT

    struct Result {
        int exitCode = -1;
        QStringList lines;
    };

    // Runs the program while this process's event loop keeps the responder answering.
    static Result query(const QString& target) {
        TestEnvironment environment;
        QProcess process;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert("XDG_CONFIG_HOME", environment.configHome());
        env.remove("DISPLAY");
        env.remove("WAYLAND_DISPLAY");
        env.remove("QT_QPA_PLATFORM");
        process.setProcessEnvironment(env);
        process.start(QStringLiteral(QUORVANE_BINARY), {"--dry-run", "--query", target});
        QSignalSpy finished(&process, &QProcess::finished);
        finished.wait(15000);
        Result result;
        if (process.state() == QProcess::NotRunning && process.exitStatus() == QProcess::NormalExit) {
            result.exitCode = process.exitCode();
        }
        result.lines =
            QString::fromLocal8Bit(process.readAllStandardOutput()).split('\n', Qt::SkipEmptyParts);
        return result;
    }

private Q_SLOTS:
    void validReply() {
        SntpResponder responder;
        const Result result = query(responder.target());
        QCOMPARE(result.exitCode, 0);
        QCOMPARE(result.lines.size(), 5);
        QCOMPARE(result.lines.first(), "Connecting to:  " + responder.target());
        QVERIFY(result.lines.at(1).startsWith("Response received in: "));
        QVERIFY(result.lines.last().startsWith("Difference/adjustment to computer's clock: "));
    }

    void badReplyFails() {
        SntpResponder responder;
        responder.answer = [](const QByteArray& request) {
            QByteArray reply = SntpResponder::reply(request);
            reply[0] = char(0xE4);  // leap indicator 3: the server's clock is not synchronised
            return QList<QByteArray>{reply};
        };
        const Result result = query(responder.target());
        QCOMPARE(result.exitCode, 1);
        QVERIFY(result.lines.last().contains("not synchronized"));
    }
};

QTEST_GUILESS_MAIN(SntpQueryTest)
#include "tst_sntpquery.moc"
