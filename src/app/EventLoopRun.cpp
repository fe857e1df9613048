#include "app/EventLoopRun.h"

#include "platform/linux/TerminationSignals.h"

#include <QCoreApplication>
#include <QTimer>

int runEventLoop(const TerminationSignals& termination, const std::function<void()>& unload) {
    QObject context;
    QObject::connect(QCoreApplication::instance(), &QCoreApplication::aboutToQuit, &context, unload);
    if (termination.requested()) {
        QTimer::singleShot(0, QCoreApplication::instance(), &QCoreApplication::quit);
    }
    return QCoreApplication::exec();
}
