#include "app/AppIcon.h"
#include "app/Application.h"
#include "app/CommandLine.h"
#include "platform/TerminationSignals.h"
#include "stats/StatsCommand.h"
#include "timesync/SntpQuery.h"

#include <QApplication>
#include <QCoreApplication>
#include <cstdio>

int main(int argc, char** argv) {
    QStringList arguments;
    for (int i = 1; i < argc; ++i) {
        arguments << QString::fromLocal8Bit(argv[i]);
    }
    const CommandLine commandLine = CommandLine::parse(arguments);
    if (!commandLine.error.isEmpty()) {
        std::fprintf(stderr, "quorvane: %s\n", qPrintable(commandLine.error));
        return 2;
    }
    if (commandLine.help) {
        std::fputs(qPrintable(CommandLine::usage()), stdout);
        return 0;
    }
    if (commandLine.version) {
        std::printf("Quorvane %s\n", QUORVANE_VERSION);
        return 0;
    }
    if (commandLine.query) {
        QCoreApplication app(argc, argv);  // no display needed
        return SntpQuery::run(*commandLine.query);
    }

    if (commandLine.stats) {
        QTextStream out(stdout);
        return StatsCommand::run(out);  // needs no display
    }

    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Quorvane"));
    QApplication::setApplicationVersion(QStringLiteral(QUORVANE_VERSION));
    QApplication::setQuitOnLastWindowClosed(false);
    QApplication::setWindowIcon(AppIcon::icon());

    // Log-out, kill and Ctrl+C end the program through the same unload as its Exit command; the
    // handler is in place before start-up, which a signal may interrupt.
    TerminationSignals termination;
    bool terminationRequested = false;
    QObject::connect(&termination, &TerminationSignals::terminationRequested, &app, [&terminationRequested] {
        terminationRequested = true;
        QApplication::quit();
    });

    Application program(commandLine);
    if (!program.start()) {
        return 0;
    }
    QObject::connect(&app, &QApplication::aboutToQuit, &program, [&program] { program.menu().unload(); });
    if (terminationRequested) {
        // The signal came while start-up let events run (the first run's Options dialog does):
        // a quit before the event loop runs would be lost.
        program.menu().unload();
        return 0;
    }
    return QApplication::exec();
}
