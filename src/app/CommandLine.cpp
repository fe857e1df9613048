#include "app/CommandLine.h"

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
        } else if (lower == QLatin1String("--query")) {
            if (i + 1 >= arguments.size()) {
                result.error = QStringLiteral("--query needs a time server: --query HOST[:PORT]");
                break;
            }
            result.query = arguments.at(++i);
        } else if (lower.startsWith(QLatin1String("--query="))) {
            result.query = argument.mid(8);
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
        "  --query HOST[:PORT] ask one time server for the time, print the exchange and exit\n"
        "  --version           print the version and exit\n"
        "  --help              print this help and exit\n");
}
