#include "app/AppIcon.h"
#include "app/Application.h"
#include "app/CommandLine.h"
#include "app/ProgramVersion.h"
#include "platform/TerminationSignals.h"
#include "stats/StatsCommand.h"
#include "timesync/SntpQuery.h"

#include <QApplication>
#include <QCoreApplication>
#include <QTimer>
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
        std::printf("Quorvane %s\n", qPrintable(ProgramVersion::text()));
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
    QApplication::setApplicationVersion(ProgramVersion::text());
    QApplication::setQuitOnLastWindowClosed(false);
    QApplication::setWindowIcon(AppIcon::icon());

    // Log-out, kill and Ctrl+C end the program through the same unload as its Exit command; the
    // handler is in place before start-up, which a signal may interrupt. QApplication::quit() does
    // nothing before exec() runs, so a request during start-up (the splash screen holds it for
    // seconds) closes the windows start-up waits on and is acted on once start-up returns.
    TerminationSignals termination;
    bool starting = true;
    bool terminationRequested = false;
    QObject::connect(&termination, &TerminationSignals::terminationRequested, &app,
                     [&starting, &terminationRequested] {
                         terminationRequested = true;
                         if (starting) {
                             // Deferred: the request may arrive while a window is still being shown.
                             QTimer::singleShot(0, &QApplication::closeAllWindows);
                         }
                         QApplication::quit();
                     });

    Application program(commandLine);
    if (!program.start()) {
        return 0;
    }
    starting = false;
    if (terminationRequested) {
        program.menu().unload();
        return 0;
    }
    QObject::connect(&app, &QApplication::aboutToQuit, &program, [&program] { program.menu().unload(); });
    return QApplication::exec();
}
