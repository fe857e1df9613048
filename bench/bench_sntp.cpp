// The client's own work on a reply: from the datagram's arrival to the last log line. The
// clock setter here only counts; nothing touches the machine's clock.
#include "timesync/SntpClient.h"

#include "BenchmarkMain.h"

#include <benchmark/benchmark.h>
#include <QCoreApplication>
#include <QDateTime>
#include <QUdpSocket>
#include <QtEndian>

namespace {

class CountingClockSetter : public ClockSetter {
public:
    void adjustClock(qint64, Done done) override {
        ++calls;
        done({ClockSetResult::Outcome::Set, {}});
    }
    int calls = 0;
};

quint64 ntpNow() {
    const qint64 ms = QDateTime::currentMSecsSinceEpoch() + 2208988800LL * 1000;
    return (quint64(ms / 1000) << 32) | ((quint64(ms % 1000) << 32) / 1000);
}

// A loopback server socket and a client; each round sends one request and builds its reply.
struct Rig {
    CountingClockSetter setter;
    SystemHostLookup lookup;
    SntpClient client{setter, lookup};
    QUdpSocket server;
    QHostAddress clientAddress;
    quint16 clientPort = 0;
    int outcomes = 0;
    QStringList lines;

    Rig() {
        server.bind(QHostAddress::LocalHost, 0);
        QObject::connect(&client, &SntpClient::lineLogged, [this](const QString& line) { lines << line; });
        QObject::connect(&client, &SntpClient::exchangeSucceeded, [this] { ++outcomes; });
        QObject::connect(&client, &SntpClient::exchangeStopped, [this] { ++outcomes; });
    }

    QByteArray requestAndReply() {
        lines.clear();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        client.SendSntpRequest({QStringLiteral("127.0.0.1"), server.localPort(), -1},
                               SntpClient::kDialogFlags);
        server.waitForReadyRead(1000);
        QByteArray request(48, '\0');
        server.readDatagram(request.data(), request.size(), &clientAddress, &clientPort);
        QByteArray reply(48, '\0');
        reply[0] = char(0x24);
        reply[1] = 2;
        reply.replace(24, 8, request.mid(40, 8));
        qToBigEndian(ntpNow(), reply.data() + 40);
        return reply;
    }
};

void BM_ReplyHandling(benchmark::State& state) {
    Rig rig;
    for (auto _ : state) {
        state.PauseTiming();
        const QByteArray reply = rig.requestAndReply();
        state.ResumeTiming();
        rig.client.processDatagram(reply, QHostAddress::LocalHost, rig.server.localPort(), 12000000);
    }
    if (rig.outcomes != int(state.iterations()) || rig.lines.size() != 5) {
        state.SkipWithError("the exchange did not succeed");
    }
}
BENCHMARK(BM_ReplyHandling)->Unit(benchmark::kMicrosecond);

// The same through the socket and the event loop: the reply is sent on loopback and the clock
// runs until the last line is logged.
void BM_ReplyThroughSocket(benchmark::State& state) {
    Rig rig;
    for (auto _ : state) {
        state.PauseTiming();
        const QByteArray reply = rig.requestAndReply();
        const int before = rig.outcomes;
        state.ResumeTiming();
        rig.server.writeDatagram(reply, rig.clientAddress, rig.clientPort);
        while (rig.outcomes == before) {
            QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
        }
    }
}
BENCHMARK(BM_ReplyThroughSocket)->Unit(benchmark::kMicrosecond);

}  // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    return runBenchmarks(argc, argv);
}
