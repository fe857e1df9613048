#include "app/TrayToolTip.h"

#include <QtTest>

// The values in the tooltip of a D-Bus tray icon: sent when they change, and only then.
class TrayToolTipTest : public QObject {
    Q_OBJECT

    bool wanted = true;
    QString lines;
    QStringList sent;

    TrayToolTip::Hooks hooks() {
        return {[this] { return wanted; }, [this] { return lines; },
                [this](const QString& text) { sent << text; }};
    }

private Q_SLOTS:
    void init() {
        wanted = true;
        lines = QStringLiteral("CPU activity ...... 5%\r\nC: drive usage .... 40%");
        sent.clear();
    }

    void titleThenTheLinesSentOnlyWhenAValueChanges() {
        TrayToolTip tip(QStringLiteral(" Quorvane"), hooks());
        tip.refresh();
        QCOMPARE(sent, QStringList{" Quorvane\nCPU activity ...... 5%\nC: drive usage .... 40%"});
        tip.refresh();
        QCOMPARE(sent.size(), 1);  // the same values: the host is not bothered

        lines.replace(QStringLiteral("5%"), QStringLiteral("7%"));
        tip.refresh();
        QCOMPARE(sent.size(), 2);
        QCOMPARE(sent.last(), QStringLiteral(" Quorvane\nCPU activity ...... 7%\nC: drive usage .... 40%"));

        wanted = false;  // the pop-up switched off: the title alone
        tip.refresh();
        QCOMPARE(sent.last(), QStringLiteral(" Quorvane"));

        wanted = true;  // hosts read markup: a mount point stays text
        lines = QStringLiteral("E: drive usage .... 3% /srv/<a>&b");
        tip.refresh();
        QCOMPARE(sent.last(), QStringLiteral(" Quorvane\nE: drive usage .... 3% /srv/&lt;a&gt;&amp;b"));
    }

    void theTimerKeepsItCurrentUntilStopped() {
        TrayToolTip tip(QStringLiteral(" Quorvane"), hooks());
        tip.start();
        QCOMPARE(sent.size(), 1);  // at once, not a tick later
        lines = QStringLiteral("CPU activity ...... 9%");
        QTRY_COMPARE(sent.size(), 2);
        tip.stop();
        lines = QStringLiteral("CPU activity ...... 10%");
        QTest::qWait(2 * tip.Timer.interval());  // two beats of a timer that must not run
        QCOMPARE(sent.size(), 2);
    }
};

QTEST_GUILESS_MAIN(TrayToolTipTest)
#include "tst_traytooltip.moc"
