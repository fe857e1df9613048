#include "support/PrivateDisplay.h"

#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>
#include <QByteArray>
#include <QElapsedTimer>
#include <QFile>
#include <QStandardPaths>
#include <QThread>
#include <csignal>

extern char** environ;

namespace {
// Starts a command with the given file actions (no event loop: the application may not exist yet).
pid_t spawnCommand(const QStringList& command, const posix_spawn_file_actions_t* actions) {
    std::vector<QByteArray> words;
    for (const QString& word : command) {
        words.push_back(word.toLocal8Bit());
    }
    std::vector<char*> argv;
    for (QByteArray& word : words) {
        argv.push_back(word.data());
    }
    argv.push_back(nullptr);
    pid_t pid = 0;
    return posix_spawnp(&pid, argv[0], actions, nullptr, argv.data(), environ) == 0 ? pid : 0;
}

// Runs a command to its end and returns what it printed.
QString output(const QStringList& command) {
    int pipeEnds[2];
    if (pipe(pipeEnds) != 0) {
        return {};
    }
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, pipeEnds[1], STDOUT_FILENO);
    posix_spawn_file_actions_addopen(&actions, STDERR_FILENO, "/dev/null", O_WRONLY, 0);
    posix_spawn_file_actions_addclose(&actions, pipeEnds[0]);
    const pid_t pid = spawnCommand(command, &actions);
    posix_spawn_file_actions_destroy(&actions);
    close(pipeEnds[1]);
    QByteArray text;
    if (pid != 0) {
        char buffer[4096];
        ssize_t got = 0;
        while ((got = read(pipeEnds[0], buffer, sizeof buffer)) > 0) {
            text.append(buffer, got);
        }
        waitpid(pid, nullptr, 0);
    }
    close(pipeEnds[0]);
    return QString::fromLocal8Bit(text);
}
}  // namespace

PrivateDisplay::PrivateDisplay(PanelEdge edge, bool windowManager) : edge_(edge) {
    QStringList tools{QStringLiteral("Xvfb"), QStringLiteral("trayer"), QStringLiteral("xwininfo"),
                      QStringLiteral("xprop")};
    if (windowManager) {
        tools << QStringLiteral("openbox");
    }
    for (const QString& tool : tools) {
        if (QStandardPaths::findExecutable(tool).isEmpty()) {
            failure_ = tool + QStringLiteral(" is not installed (scripts/test installs it)");
            return;
        }
    }
    int number = 150;  // clear of the displays scripts/test starts from 90 up
    while (QFile::exists(QStringLiteral("/tmp/.X%1-lock").arg(number)) ||
           QFile::exists(QStringLiteral("/tmp/.X11-unix/X%1").arg(number))) {
        ++number;
    }
    const QString name = QStringLiteral(":%1").arg(number);
    spawn({QStringLiteral("Xvfb"), name, QStringLiteral("-screen"), QStringLiteral("0"),
           QStringLiteral("1280x800x24"), QStringLiteral("-nolisten"), QStringLiteral("tcp")});
    qputenv("DISPLAY", name.toLocal8Bit());
    if (!waitFor(
            {QStringLiteral("xprop"), QStringLiteral("-root"), QStringLiteral("-len"), QStringLiteral("0")},
            QString())) {
        failure_ = QStringLiteral("Xvfb did not start on ") + name;
        return;
    }
    if (windowManager) {
        // Once in a long CI run openbox did not take the fresh server within the wait: a second
        // start is what a user would try too.
        bool managing = false;
        for (int attempt = 0; attempt < 2 && !managing; ++attempt) {
            const pid_t windowManagerPid = spawn({QStringLiteral("openbox"), QStringLiteral("--sm-disable")});
            managing = waitFor({QStringLiteral("xprop"), QStringLiteral("-root"),
                                QStringLiteral("_NET_SUPPORTING_WM_CHECK")},
                               QStringLiteral("window id"));
            if (!managing && windowManagerPid != 0) {
                kill(windowManagerPid, SIGTERM);
                waitpid(windowManagerPid, nullptr, 0);
                std::erase(processes_, windowManagerPid);
            }
        }
        if (!managing) {
            failure_ = QStringLiteral("openbox did not start, twice");
            return;
        }
    }
    spawn({QStringLiteral("trayer"), QStringLiteral("--edge"),
           edge == PanelEdge::Top ? QStringLiteral("top") : QStringLiteral("bottom"),
           QStringLiteral("--align"), QStringLiteral("right"), QStringLiteral("--widthtype"),
           QStringLiteral("request"), QStringLiteral("--height"), QStringLiteral("24"),
           QStringLiteral("--transparent"), QStringLiteral("false"), QStringLiteral("--tint"),
           QStringLiteral("0x303030"), QStringLiteral("--SetDockType"), QStringLiteral("true"),
           QStringLiteral("--SetPartialStrut"), QStringLiteral("true")});
    if (!waitFor({QStringLiteral("xwininfo"), QStringLiteral("-root"), QStringLiteral("-tree")},
                 QStringLiteral("\"trayer\": (\"trayer\" \"Trayer\")"))) {
        failure_ = QStringLiteral("trayer did not start");
    }
}

PrivateDisplay::~PrivateDisplay() {
    // The tray host and window manager first, the server last.
    for (auto process = processes_.rbegin(); process != processes_.rend(); ++process) {
        kill(*process, SIGTERM);
        waitpid(*process, nullptr, 0);
    }
}

bool PrivateDisplay::started(QString* why) const {
    *why = failure_;
    return failure_.isEmpty();
}

PrivateDisplay::PanelEdge PrivateDisplay::edgeFromEnvironment() {
    return qEnvironmentVariable("QUORVANE_TEST_PANEL_EDGE") == QLatin1String("top") ? PanelEdge::Top
                                                                                    : PanelEdge::Bottom;
}

pid_t PrivateDisplay::spawn(const QStringList& command) {
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, STDOUT_FILENO, "/dev/null", O_WRONLY, 0);
    posix_spawn_file_actions_addopen(&actions, STDERR_FILENO, "/dev/null", O_WRONLY, 0);
    const pid_t pid = spawnCommand(command, &actions);
    posix_spawn_file_actions_destroy(&actions);
    if (pid != 0) {
        processes_.push_back(pid);
    }
    return pid;
}

bool PrivateDisplay::waitFor(const QStringList& command, const QString& expectedOutput) const {
    QElapsedTimer clock;
    clock.start();
    while (clock.elapsed() < 15000) {
        const QString text = output(command);
        if (!text.isEmpty() && text.contains(expectedOutput)) {
            return true;
        }
        QThread::msleep(100);
    }
    return false;
}
