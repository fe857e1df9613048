#include "timesync/SntpQuery.h"

#include "platform/DryRunClockSetter.h"
#include "timesync/SntpClient.h"

#include <QEventLoop>

namespace SntpQuery {

int run(const QString& target, std::FILE* out, int timeoutTicks) {
    const auto print = [out](const QString& line) {
        std::fprintf(out, "%s\n", line.toLocal8Bit().constData());
        std::fflush(out);
    };
    const auto parsed = SntpTarget::parse(target);
    if (!parsed) {
        print(QStringLiteral("Connecting to:  ") + target);
        print(QStringLiteral("Could not resolve host name: ") + target);
        return 1;
    }
    DryRunClockSetter clockSetter;  // never asked: the query flags leave the clock alone
    SystemHostLookup hostLookup;
    SntpClient client(clockSetter, hostLookup);
    client.setTiming({1000, timeoutTicks});
    QEventLoop loop;
    QObject::connect(&client, &SntpClient::lineLogged, &loop, print);
    QObject::connect(&client, &SntpClient::requestFailed, &loop, [&](const QString& protocol, quint16 port) {
        print(QStringLiteral("ERROR:  The connection has timed out."));
        print(QStringLiteral("No reply came from %1 port %2.").arg(protocol).arg(port));
        loop.exit(1);
    });
    QObject::connect(&client, &SntpClient::exchangeStopped, &loop, [&] { loop.exit(1); });
    QObject::connect(&client, &SntpClient::exchangeSucceeded, &loop, [&] { loop.exit(0); });
    client.SendSntpRequest(*parsed, SntpClient::kQueryFlags);
    return loop.exec();
}

}  // namespace SntpQuery
