#include "app/EventLoopRun.h"
#include "platform/linux/TerminationSignals.h"

#include <QtTest>

#include <csignal>

class EventLoopRunTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    // A termination that arrives while start-up lets events run, before the loop exists, must not
    // be lost: the loop ends at once, through the unload.
    void terminationDuringStartUpIsNotLost() {
        TerminationSignals termination;
        // Not qApp: with Qt Widgets in sight it casts to a QApplication, which this one is not.
        QObject::connect(&termination, &TerminationSignals::terminationRequested,
                         QCoreApplication::instance(), &QCoreApplication::quit);
        ::raise(SIGTERM);
        QCoreApplication::processEvents();  // as the first-run step does

        bool timedOut = false;
        QTimer guard;
        guard.setSingleShot(true);
        QObject::connect(&guard, &QTimer::timeout, [&timedOut] {
            timedOut = true;
            QCoreApplication::quit();
        });
        guard.start(5000);
        int unloads = 0;
        QCOMPARE(runEventLoop(termination, [&unloads] { ++unloads; }), 0);
        QVERIFY(!timedOut);
        QCOMPARE(unloads, 1);
    }
};

QTEST_GUILESS_MAIN(EventLoopRunTest)
#include "tst_eventlooprun.moc"
