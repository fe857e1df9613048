#include "timesync/TimeServerTable.h"

#include "settings/DefaultTimeServer.h"
#include "timesync/BuiltinTimeServerList.h"

namespace {
constexpr int kListFormat = 1;
}

QString TimeServerTable::defaultHost() {
    return defaultTimeServerHost();
}

void TimeServerTable::BuildTimeServerTable() {
    BuildTimeServerTable(FillBuiltinServerList());
}

void TimeServerTable::BuildTimeServerTable(const QStringList& slotTexts) {
    timeServers.clear();
    currentServer = nullptr;  // it pointed into the records just dropped
    currentServerIndex = kNotFound;
    for (qsizetype slot = 1; slot < slotTexts.size(); ++slot) {
        if (slotTexts[slot].isEmpty()) {
            continue;
        }
        auto server = std::make_unique<TimeServer>();
        server->setSerialize(kListFormat, slotTexts[slot]);
        server->setIndex(static_cast<int>(timeServers.size()));
        timeServers.push_back(std::move(server));
    }
}

void TimeServerTable::FindTimeServer(const QString& hostName) {
    currentServerIndex = kNotFound;
    for (size_t position = 0; position < timeServers.size(); ++position) {
        if (timeServers[position]->HostName().compare(hostName, Qt::CaseInsensitive) == 0) {
            currentServer = timeServers[position].get();
            currentServerIndex = static_cast<int>(position);
            return;
        }
    }
}

TimeServerTable& timeServerTable() {
    static TimeServerTable table;
    return table;
}
