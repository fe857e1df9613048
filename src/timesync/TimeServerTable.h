#pragma once

#include "timesync/TimeServer.h"

#include <QStringList>
#include <memory>
#include <vector>

// The process-wide table of time-server records, built from the built-in texts at every start, and
// the record found for the selected host name.
class TimeServerTable {
public:
    static constexpr int kNotFound = 999;

    // The host the program uses until the user picks another; it is part of the built-in list.
    static QString defaultHost();

    // Fills timeServers from the built-in texts, in slot order; empty slots are skipped, and a record
    // that does not read completely stays as far as it was read. Building again starts afresh.
    void BuildTimeServerTable();
    void BuildTimeServerTable(const QStringList& slotTexts);

    // Sets currentServer and currentServerIndex to the first record whose host name matches without
    // regard to letter case. When none matches, currentServerIndex is 999 and currentServer stays.
    void FindTimeServer(const QString& hostName);

    // Records in list order; each one's Index is its position.
    std::vector<std::unique_ptr<TimeServer>> timeServers;
    TimeServer* currentServer = nullptr;
    int currentServerIndex = kNotFound;
};

// The table the program builds at start-up.
TimeServerTable& timeServerTable();
