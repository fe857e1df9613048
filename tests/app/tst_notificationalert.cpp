#include "app/AlertBalloonChooser.h"
#include "app/NotificationAlertView.h"
#include "support/PrivateSessionBus.h"

#include <QDBusContext>
#include <QDBusMessage>
#include <QtTest>

// A desktop notification service of the test's own: records what it is asked and closes
// notifications when the test says a user did.
class FakeNotifications : public QObject, protected QDBusContext {
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.freedesktop.Notifications")

public:
    struct Shown {
        QString app;
        uint replaces;
        QString summary;
        QString body;
        int timeout;
    };
    QList<Shown> shown;
    QList<uint> closed;
    uint next = 7;
    bool holdAnswers = false;
    bool refuse = false;
    QList<QDBusMessage> heldCalls;

    void answerHeldCalls(QDBusConnection bus) {
        for (const QDBusMessage& call : std::exchange(heldCalls, {})) {
            bus.send(call.createReply(QVariant::fromValue(next++)));
        }
    }

public Q_SLOTS:
    uint Notify(const QString& app, uint replaces, const QString&, const QString& summary,
                const QString& body, const QStringList&, const QVariantMap&, int timeout) {
        shown << Shown{app, replaces, summary, body, timeout};
        if (refuse) {
            sendErrorReply(QDBusError::Failed, QStringLiteral("no display for notifications"));
            return 0;
        }
        if (holdAnswers) {
            setDelayedReply(true);
            heldCalls << message();
            return 0;
        }
        return replaces != 0 ? replaces : next++;
    }
    void CloseNotification(uint id) { closed << id; }

Q_SIGNALS:
    void NotificationClosed(uint id, uint reason);
};

class NotificationAlertTest : public QObject {
    Q_OBJECT

    std::unique_ptr<PrivateSessionBus> bus;
    std::unique_ptr<FakeNotifications> service;
    std::unique_ptr<NotificationAlertView> view;

    const QString twoLines =
        QStringLiteral("CPU activity ........... 85%\r\nE: drive usage ......... 97% /srv/a&b");

private Q_SLOTS:
    void initTestCase() {
        bus = std::make_unique<PrivateSessionBus>();
        QString why;
        if (!bus->start(&why)) {
            QSKIP(qPrintable(why));
        }
    }

    void init() {
        service = std::make_unique<FakeNotifications>();
        QDBusConnection serviceBus = bus->connect(QStringLiteral("service"));
        QVERIFY(
            serviceBus.registerObject(QStringLiteral("/org/freedesktop/Notifications"), service.get(),
                                      QDBusConnection::ExportAllSlots | QDBusConnection::ExportAllSignals));
        QVERIFY(serviceBus.registerService(QStringLiteral("org.freedesktop.Notifications")));
        view = std::make_unique<NotificationAlertView>(bus->connect(QStringLiteral("program")));
        view->setTitle(QStringLiteral("Computer Threshold Violations"));
        QVERIFY(view->serviceAvailable());
    }

    void cleanup() {
        view.reset();
        QDBusConnection serviceBus(QStringLiteral("service"));
        serviceBus.unregisterService(QStringLiteral("org.freedesktop.Notifications"));
        serviceBus.unregisterObject(QStringLiteral("/org/freedesktop/Notifications"));
        service.reset();
    }

    void alertIsShownThenReplacedInPlace() {
        const int id = view->show(twoLines, 0, 0);
        QTRY_COMPARE(service->shown.size(), 1);
        const FakeNotifications::Shown first = service->shown.at(0);
        QCOMPARE(first.app, QStringLiteral("Quorvane"));
        QCOMPARE(first.replaces, 0u);
        QCOMPARE(first.summary, QStringLiteral("Computer Threshold Violations"));
        QCOMPARE(first.body,
                 QStringLiteral("CPU activity ........... 85%\nE: drive usage ......... 97% /srv/a&amp;b"));
        QCOMPARE(first.timeout, 0);

        view->setText(id, twoLines);  // unchanged: the service is not bothered
        view->setText(id + 1, QStringLiteral("not this alert"));
        view->setText(id, QStringLiteral("CPU activity ........... 90%"));
        QTRY_COMPARE(service->shown.size(), 2);
        QCOMPARE(service->shown.at(1).replaces, 7u);
        QCOMPARE(service->shown.at(1).body, QStringLiteral("CPU activity ........... 90%"));
    }

    void onlyAUsersCloseCountsAsClosingTheBalloon() {
        AlertBalloonView balloon;
        AlertBalloonChooser alerts(balloon, *view, [] { return true; });
        QSignalSpy userClosed(&alerts, &AlertBalloonChooser::userClosed);

        int id = alerts.show(twoLines, 0, 0);
        QTRY_COMPARE(service->shown.size(), 1);
        QVERIFY(!balloon.balloon().isVisible());
        QTRY_VERIFY(view->isShown());
        Q_EMIT service->NotificationClosed(7, 1);  // expired
        QTRY_VERIFY(!view->isShown());
        alerts.setText(id, QStringLiteral("CPU activity ........... 99%"));  // stays gone
        alerts.close(id);
        id = alerts.show(twoLines, 0, 0);
        QTRY_COMPARE(service->shown.size(), 2);
        QCOMPARE(service->shown.at(1).replaces, 0u);
        QCOMPARE(userClosed.count(), 0);

        Q_EMIT service->NotificationClosed(8, 2);  // dismissed by the user
        QTRY_COMPARE(userClosed.count(), 1);
        alerts.close(id);  // already gone: nothing to close
        QVERIFY(service->closed.isEmpty());
    }

    void closingBeforeTheServiceAnswersStillClosesIt() {
        service->holdAnswers = true;
        const int id = view->show(twoLines, 0, 0);
        QTRY_COMPARE(service->heldCalls.size(), 1);
        view->close(id);
        service->holdAnswers = false;
        service->answerHeldCalls(QDBusConnection(QStringLiteral("service")));
        QTRY_COMPARE(service->closed, QList<uint>{7});
        QSignalSpy userClosed(view.get(), &NotificationAlertView::userClosed);
        Q_EMIT service->NotificationClosed(7, 3);  // closed on request
        view->show(twoLines, 0, 0);
        QTRY_VERIFY(view->isShown());  // answered after the signal: both have arrived
        QCOMPARE(service->shown.size(), 2);
        QCOMPARE(userClosed.count(), 0);
    }

    void anAlertTheServiceRefusesShowsAsTheBalloonAtOnce() {
        service->refuse = true;
        AlertBalloonView balloon;
        AlertBalloonChooser alerts(balloon, *view, [] { return true; });
        const int id = alerts.show(twoLines, 15000, 9000);
        QTRY_VERIFY(balloon.balloon().isVisible());
        QCOMPARE(balloon.balloon().text(), twoLines);
        alerts.setText(id, QStringLiteral("CPU activity ........... 99%"));  // updates follow it there
        QCOMPARE(balloon.balloon().text(), QStringLiteral("CPU activity ........... 99%"));
        QCOMPARE(service->shown.size(), 1);
        alerts.close(id);
        QVERIFY(!balloon.balloon().isVisible());
    }

    void aTrayThatGivesTheIconsPlaceKeepsTheBalloon() {
        AlertBalloonView balloon;
        AlertBalloonChooser alerts(balloon, *view, [] { return false; });
        alerts.setTitle(QStringLiteral("Computer Threshold Violations"));
        const int id = alerts.show(twoLines, 15000, 9000);
        QVERIFY(balloon.balloon().isVisible());
        alerts.close(id);
        QVERIFY(!balloon.balloon().isVisible());
        QVERIFY(service->shown.isEmpty());
    }
};

QTEST_MAIN(NotificationAlertTest)
#include "tst_notificationalert.moc"
