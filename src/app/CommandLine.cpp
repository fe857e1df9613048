#include "app/CommandLine.h"

#include "timesync/TimeServerAddress.h"

CommandLine CommandLine::parse(const QStringList& arguments) {
    CommandLine result;
    for (qsizetype i = 0; i < arguments.size(); ++i) {
        const QString& argument = arguments.at(i);
        const QString lower = argument.toLower();
        if (lower == QLatin1String("--help") || lower == QLatin1String("-h")) {
            result.help = true;
        } else if (lower == QLatin1String("--version")) {
            result.version = true;
        } else if (lower == QLatin1String("/sync") || lower == QLatin1String("--sync")) {
            result.sync = true;
        } else if (lower == QLatin1String("--dry-run")) {
            result.dryRun = true;
        } else if (lower == QLatin1String("--stats")) {
            result.stats = true;
        } else if (lower == QLatin1String("--json")) {
            result.json = true;
        } else if (lower == QLatin1String("--query") || lower.startsWith(QLatin1String("--query="))) {
            const bool joined = lower != QLatin1String("--query");
            const QString server =
                joined ? argument.mid(8) : (i + 1 < arguments.size() ? arguments.at(++i) : QString());
            if (server.trimmed().isEmpty()) {
                result.error = QStringLiteral("--query needs a time server: --query HOST[:PORT]");
                break;
            }
            // A malformed server is the caller's mistake, told apart from a server that does not answer.
            QString problem;
            if (!parseTimeServerAddress(server, &problem)) {
                result.error = QStringLiteral("--query %1: %2 (try --help)").arg(server, problem);
                break;
            }
            result.query = server;
        } else {
            result.error = QStringLiteral("unknown option '%1' (try --help)").arg(argument);
            break;
        }
    }
    if (result.json && !result.stats && result.error.isEmpty()) {
        result.error = QStringLiteral("--json goes with --stats: quorvane --stats --json");
    }
    result.lowerCaseText = arguments.join(QLatin1Char(' ')).toLower();
    if (result.sync && !result.lowerCaseText.contains(QLatin1String("/sync"))) {
        result.lowerCaseText += QStringLiteral(" /sync");
    }
    return result;
}

QString CommandLine::usage() {
    return QStringLiteral(
        "Usage: quorvane [options]\n"
        "Quorvane watches the computer from the notification area and keeps its clock right.\n"
        "\n"
        "  /sync, --sync       synchronise the clock at start-up when that option is on,\n"
        "                      however recently it was synchronised\n"
        "  --dry-run           never change the system clock (the log says so instead) and\n"
        "                      never open a downloaded update (it is named instead)\n"
        "  --stats             print one sample of every statistic and exit\n"
        "  --json              with --stats: print the sample as one JSON object\n"
        "  --query HOST[:PORT], --query=HOST[:PORT]\n"
        "                      ask one time server for the time (port 123 unless given; an\n"
        "                      IPv6 address with a port is written [IPv6]:PORT), print the\n"
        "                      exchange and exit; the clock is never set\n"
        "  --version           print the version and exit\n"
        "  -h, --help          print this help and exit\n");
}
