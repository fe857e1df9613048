#include "app/FollowingTimer.h"

#include <QtTest>

// The tray's refresh rhythm beside the monitor window's: while the window samples, every refresh
// happens in the window's wake-up; once it stops, the own rhythm takes over again.
class FollowingTimerTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void refreshesOnlyWithTheWindowWhileItSamples() {
        int ticks = 0;
        int follows = 0;
        FollowingTimer timer(200, [&] { ++ticks; });
        timer.follow();  // not started: nothing to follow
        QCOMPARE(ticks, 0);

        timer.start();
        QTimer window;  // samples at the same rhythm, some way out of phase
        window.setInterval(200);
        connect(&window, &QTimer::timeout, [&] {
            ++follows;
            timer.follow();
        });
        QTest::qWait(90);
        window.start();
        QTRY_VERIFY_WITH_TIMEOUT(follows >= 8, 5000);
        window.stop();
        // At most the one tick of its own before the window's first sample.
        QVERIFY2(ticks - follows <= 1,
                 qPrintable(QStringLiteral("%1 ticks for %2 samples").arg(ticks).arg(follows)));

        const int atClose = ticks;
        QTRY_VERIFY_WITH_TIMEOUT(ticks >= atClose + 2, 2000);  // its own rhythm again
        timer.stop();
    }
};

QTEST_GUILESS_MAIN(FollowingTimerTest)
#include "tst_followingtimer.moc"
