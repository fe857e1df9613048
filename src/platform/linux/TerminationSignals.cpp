#include "platform/linux/TerminationSignals.h"

#include <QSocketNotifier>

#include <sys/socket.h>
#include <unistd.h>
#include <csignal>

namespace {
int signalPipe[2] = {-1, -1};
volatile std::sig_atomic_t signalArrived = 0;

void onSignal(int) {
    signalArrived = 1;
    const char byte = 1;
    [[maybe_unused]] const ssize_t written = ::write(signalPipe[0], &byte, 1);  // async-signal-safe
}
}  // namespace

TerminationSignals::TerminationSignals(QObject* parent) : QObject(parent) {
    if (::socketpair(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0, signalPipe) != 0) {
        return;
    }
    notifier_ = new QSocketNotifier(signalPipe[1], QSocketNotifier::Read, this);
    connect(notifier_, &QSocketNotifier::activated, this, [this] {
        char byte = 0;
        [[maybe_unused]] const ssize_t got = ::read(signalPipe[1], &byte, 1);
        Q_EMIT terminationRequested();
    });
    struct sigaction action {};
    action.sa_handler = onSignal;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    for (const int number : {SIGTERM, SIGINT, SIGHUP}) {
        ::sigaction(number, &action, nullptr);
    }
}

bool TerminationSignals::requested() const {
    return signalArrived != 0;
}

TerminationSignals::~TerminationSignals() {
    if (notifier_) {
        struct sigaction action {};
        action.sa_handler = SIG_DFL;
        for (const int number : {SIGTERM, SIGINT, SIGHUP}) {
            ::sigaction(number, &action, nullptr);
        }
        delete notifier_;
        ::close(signalPipe[0]);
        ::close(signalPipe[1]);
        signalPipe[0] = signalPipe[1] = -1;
        signalArrived = 0;
    }
}
