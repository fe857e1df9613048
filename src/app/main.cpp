#include "app/AppIcon.h"
#include "app/Application.h"
#include "app/CommandLine.h"
#include "app/DisplayConnectionGuard.h"
#include "app/EventLoopRun.h"
#include "platform/linux/HeapMemory.h"
#include "platform/linux/TerminationSignals.h"
#include "settings/ProgramVersion.h"
#include "stats/StatsCommand.h"
#include "timesync/SntpQuery.h"

#include <QApplication>
#include <QCoreApplication>
#include <QTimer>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <optional>

namespace {
// Writes to standard output; false (with the reason on standard error) when the text did not get
// out, for example to a full disk or a closed pipe, so a script sees the failure.
bool printed(const QString& text) {
    const QByteArray bytes = text.toLocal8Bit();
    const bool written =
        std::fwrite(bytes.constData(), 1, size_t(bytes.size()), stdout) == size_t(bytes.size());
    if (std::fflush(stdout) != 0 || !written || std::ferror(stdout)) {
        std::fprintf(stderr, "quorvane: cannot write to standard output: %s\n", std::strerror(errno));
        return false;
    }
    return true;
}
}  // namespace

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
    if (commandLine.help || commandLine.version) {
        const QString text = commandLine.help ? CommandLine::usage()
                                              : QStringLiteral("Quorvane %1\n").arg(ProgramVersion::text());
        return printed(text) ? 0 : 1;
    }
    if (commandLine.query) {
        QCoreApplication app(argc, argv);  // no display needed
        return SntpQuery::run(*commandLine.query);
    }

    if (commandLine.stats) {
        QTextStream out(stdout);
        // needs no display
        return StatsCommand::run(out,
                                 commandLine.json ? StatsCommand::Format::Json : StatsCommand::Format::Text);
    }

    HeapMemory::useOneArena();  // before Qt starts its threads
    std::optional<DisplayConnectionGuard> displayGuard(std::in_place);
    QApplication app(argc, argv);
    displayGuard.reset();
    QApplication::setApplicationName(QStringLiteral("Quorvane"));
    QApplication::setApplicationVersion(ProgramVersion::text());
    QApplication::setQuitOnLastWindowClosed(false);
    QApplication::setWindowIcon(AppIcon::icon());

    // Log-out, kill and Ctrl+C end the program through the same unload as its Exit command; the
    // handler is in place before start-up, which a signal may interrupt. QApplication::quit() does
    // nothing before the event loop runs, so a request during start-up (the splash screen holds it
    // for seconds) closes the windows start-up waits on and is acted on once the loop starts.
    TerminationSignals termination;
    bool starting = true;
    QObject::connect(&termination, &TerminationSignals::terminationRequested, &app, [&starting] {
        if (starting) {
            // Deferred: the request may arrive while a window is still being shown.
            QTimer::singleShot(0, &QApplication::closeAllWindows);
        }
        QApplication::quit();
    });

    Application program(commandLine);
    switch (program.start()) {
        case Application::Start::AnotherCopyRuns:
            return 0;
        case Application::Start::Failed:
            return 1;
        case Application::Start::Running:
            break;
    }
    starting = false;
    // Start-up reads fonts, settings and images, and frees most of it once the first windows are
    // drawn: a few seconds in, those pages go back to the system.
    QTimer::singleShot(3000, &app, [] { HeapMemory::returnFreePages(); });
    return runEventLoop(termination, [&program] { program.menu().unload(); });
}
