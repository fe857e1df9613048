#include "platform/DryRunClockSetter.h"
#include "platform/linux/LinuxClockSetter.h"
#include "support/PrivateSessionBus.h"

#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QDBusContext>
#include <QDBusMessage>
#include <QtTest>
#include <cerrno>

// A stand-in for systemd-timedated on a private bus: records SetTime and answers as told.
class FakeTimedate : public QObject, protected QDBusContext {
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.freedesktop.timedate1")

public:
    struct Call {
        qlonglong usec;
        bool relative;
        bool interactive;
        bool interactiveAuthorizationAllowed;
    };
    QList<Call> calls;
    QString errorName;
    QString errorMessage;
    bool holdAnswer = false;  // as while a password prompt is open
    QList<QDBusMessage> heldCalls;

    void answerHeldCalls() {
        for (const QDBusMessage& call : std::exchange(heldCalls, {})) {
            QDBusConnection(QStringLiteral("service")).send(call.createReply());
        }
    }

public Q_SLOTS:
    void SetTime(qlonglong usec, bool relative, bool interactive) {
        calls << Call{usec, relative, interactive, message().isInteractiveAuthorizationAllowed()};
        if (holdAnswer) {
            setDelayedReply(true);
            heldCalls << message();
        } else if (!errorName.isEmpty()) {
            sendErrorReply(errorName, errorMessage);
        }
    }
};

// The real clock setter, pointed at a private bus and a recording stand-in for clock_settime:
// nothing here can move the machine's clock.
class LinuxClockSetterTest : public QObject {
    Q_OBJECT

    std::unique_ptr<PrivateSessionBus> bus;
    QList<qint64> directCalls;
    int directError = 0;

    LinuxClockSetter::DirectSetter recordingDirect() {
        return [this](qint64 offset) {
            directCalls << offset;
            return directError;
        };
    }

    static ClockSetResult adjust(ClockSetter& setter, qint64 offset) {
        std::optional<ClockSetResult> result;
        setter.adjustClock(offset, [&result](const ClockSetResult& r) { result = r; });
        if (!QTest::qWaitFor([&result] { return result.has_value(); }, 10000)) {
            return {ClockSetResult::Outcome::Failed, QStringLiteral("no answer")};
        }
        return *result;
    }

    QDBusConnection connect(const QString& name) { return bus->connect(name); }
    static bool publish(QDBusConnection& bus, FakeTimedate& service) {
        return bus.registerObject("/org/freedesktop/timedate1", &service, QDBusConnection::ExportAllSlots) &&
               bus.registerService("org.freedesktop.timedate1");
    }

private Q_SLOTS:
    void initTestCase() {
        bus = std::make_unique<PrivateSessionBus>();
        QString why;
        if (!bus->start(&why)) {
            QSKIP(qPrintable(why));
        }
    }

    void cleanupTestCase() { bus.reset(); }

    void init() {
        directCalls.clear();
        directError = 0;
    }

    void serviceMovesTheClockRelativelyAndInteractively() {
        FakeTimedate service;
        QDBusConnection serviceBus = connect("service");
        QVERIFY(serviceBus.registerObject("/org/freedesktop/timedate1", &service,
                                          QDBusConnection::ExportAllSlots));
        QVERIFY(serviceBus.registerService("org.freedesktop.timedate1"));

        LinuxClockSetter setter(connect("setter"), recordingDirect(), 5000);
        const ClockSetResult result = adjust(setter, -250000);
        QCOMPARE(int(result.outcome), int(ClockSetResult::Outcome::Set));
        QCOMPARE(service.calls.size(), 1);
        QCOMPARE(service.calls.at(0).usec, -250000);
        QVERIFY(service.calls.at(0).relative);
        QVERIFY(service.calls.at(0).interactive);
        QVERIFY(service.calls.at(0).interactiveAuthorizationAllowed);
        QVERIFY(directCalls.isEmpty());

        // A refusal is the answer: reported with its reason, and the clock is not set another way.
        service.errorName = "org.freedesktop.timedate1.AutomaticTimeSyncEnabled";
        service.errorMessage = "Automatic time synchronization is enabled";
        ClockSetResult refused = adjust(setter, 1000);
        QCOMPARE(int(refused.outcome), int(ClockSetResult::Outcome::Failed));
        QVERIFY(refused.message.startsWith("Clock not changed: the system synchronises the clock itself"));

        service.errorName = "org.freedesktop.DBus.Error.AccessDenied";
        service.errorMessage = "Permission denied";
        refused = adjust(setter, 1000);
        QCOMPARE(int(refused.outcome), int(ClockSetResult::Outcome::Failed));
        QCOMPARE(refused.message, "Clock not changed: permission refused (Permission denied)");
        QVERIFY(directCalls.isEmpty());

        QVERIFY(serviceBus.unregisterService("org.freedesktop.timedate1"));
        serviceBus.unregisterObject("/org/freedesktop/timedate1");
    }

    // A dialog closed while the service waits for permission leaves its call behind: no second
    // relative change may follow until that call is answered, and its late answer reaches nobody.
    void aWaitingChangeBlocksAnotherEvenAfterItsOwnerIsGone() {
        FakeTimedate service;
        service.holdAnswer = true;
        QDBusConnection serviceBus = connect("service");
        QVERIFY(publish(serviceBus, service));

        bool firstAnswered = false;
        {
            LinuxClockSetter closedDialogsSetter(connect("setter"), recordingDirect(), 5000);
            closedDialogsSetter.adjustClock(700000, [&](const ClockSetResult&) { firstAnswered = true; });
            QTRY_COMPARE(service.calls.size(), 1);
        }
        LinuxClockSetter next(connect("setter"), recordingDirect(), 5000);
        const ClockSetResult blocked = adjust(next, 700000);
        QCOMPARE(int(blocked.outcome), int(ClockSetResult::Outcome::Failed));
        QCOMPARE(blocked.message, "Clock not changed: an earlier change is still waiting for permission");
        QCOMPARE(service.calls.size(), 1);

        service.holdAnswer = false;
        service.answerHeldCalls();
        // Its answer lifts the guard (until then a change is refused at once, without a call) and
        // reaches nobody.
        QVERIFY(QTest::qWaitFor([&] { return adjust(next, 1000).outcome == ClockSetResult::Outcome::Set; }));
        QVERIFY(!firstAnswered);
        QCOMPARE(service.calls.size(), 2);
        QVERIFY(directCalls.isEmpty());

        QVERIFY(serviceBus.unregisterService("org.freedesktop.timedate1"));
        serviceBus.unregisterObject("/org/freedesktop/timedate1");
    }

    // Our wait running out does not stop the service: it may still apply the first change, so a
    // second one waits for its answer, which is passed on when it comes.
    void theGuardOutlastsOurWait() {
        FakeTimedate service;
        service.holdAnswer = true;
        QDBusConnection serviceBus = connect("service");
        QVERIFY(publish(serviceBus, service));

        LinuxClockSetter setter(connect("setter"), recordingDirect(), 200);
        QList<ClockSetResult> late;
        setter.setLateAnswerHandler([&late](const ClockSetResult& result) { late << result; });
        const ClockSetResult first = adjust(setter, 700000);
        QVERIFY(first.message.startsWith("Clock not changed yet: the time service did not answer"));
        QTest::qWait(400);  // well past our wait
        const ClockSetResult second = adjust(setter, 700000);
        QCOMPARE(second.message, "Clock not changed: an earlier change is still waiting for permission");
        QCOMPARE(service.calls.size(), 1);

        service.answerHeldCalls();
        QTRY_COMPARE(late.size(), 1);
        QCOMPARE(int(late.first().outcome), int(ClockSetResult::Outcome::Set));
        service.holdAnswer = false;
        QCOMPARE(int(adjust(setter, 1000).outcome), int(ClockSetResult::Outcome::Set));
        QCOMPARE(late.size(), 1);

        QVERIFY(serviceBus.unregisterService("org.freedesktop.timedate1"));
        serviceBus.unregisterObject("/org/freedesktop/timedate1");
    }

    void withoutTheServiceTheClockIsSteppedDirectly() {
        LinuxClockSetter setter(connect("setter"), recordingDirect(), 5000);
        QCOMPARE(int(adjust(setter, 1500000).outcome), int(ClockSetResult::Outcome::Set));
        QCOMPARE(directCalls, QList<qint64>{1500000});

        directError = EPERM;
        const ClockSetResult refused = adjust(setter, 1500000);
        QCOMPARE(int(refused.outcome), int(ClockSetResult::Outcome::Failed));
        QVERIFY(refused.message.startsWith("Clock not changed: no permission to set the system clock ("));
    }

    void withoutABusTheClockIsSteppedDirectly() {
        LinuxClockSetter setter(QDBusConnection("no-such-connection"), recordingDirect(), 5000);
        QCOMPARE(int(adjust(setter, 42).outcome), int(ClockSetResult::Outcome::Set));
        QCOMPARE(directCalls, QList<qint64>{42});
    }

    void dryRunNeverMovesTheClock() {
        const auto setter = makeClockSetter(true);
        QVERIFY(dynamic_cast<DryRunClockSetter*>(setter.get()));
        const ClockSetResult result = adjust(*setter, 3600000000LL);
        QCOMPARE(int(result.outcome), int(ClockSetResult::Outcome::NotChanged));
        QCOMPARE(result.message, "Clock not changed (dry run)");
    }

    void otherRefusalsNameTheError() {
        QCOMPARE(LinuxClockSetter::refusalText("org.example.Odd", "odd"),
                 "Clock not changed: odd (org.example.Odd)");
        QCOMPARE(LinuxClockSetter::refusalText("org.freedesktop.DBus.Error.NoReply", "x"),
                 "Clock not changed yet: the time service did not answer (it may still change the clock "
                 "if permission is given; no other change is made until it answers)");
        QVERIFY(LinuxClockSetter::refusalText("org.freedesktop.DBus.Error.ServiceUnknown", "x").isEmpty());
    }
};

QTEST_GUILESS_MAIN(LinuxClockSetterTest)
#include "tst_linuxclocksetter.moc"
