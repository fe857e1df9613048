#pragma once

#include <QString>
#include <QStringList>
#include <optional>

// What the program was asked to do from its command line.
struct CommandLine {
    bool help = false;
    bool version = false;
    bool sync = false;             // "/sync" in any letter case, or --sync
    bool dryRun = false;           // never change the clock
    bool stats = false;            // print one sample of every statistic and exit
    bool json = false;             // with stats: as one JSON object
    std::optional<QString> query;  // one SNTP exchange with HOST[:PORT], printed, then exit
    QString error;                 // set when an argument was not understood

    // The arguments joined and in lower case, as the start-up synchronisation looks at them.
    QString lowerCaseText;

    static CommandLine parse(const QStringList& arguments);  // without the program name
    static QString usage();
};
