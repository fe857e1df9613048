#include "platform/DryRunClockSetter.h"
#include "platform/linux/LinuxClockSetter.h"
#include "settings/AppSettings.h"
#include "support/FakeClockSetter.h"
#include "support/FakeHostLookup.h"
#include "support/MemorySettingsStore.h"
#include "support/RecordingMenuServices.h"
#include "support/SntpResponder.h"
#include "support/TestOptions.h"
#include "timesync/SntpRecordUpdate.h"
#include "timesync/TimeSyncExec.h"
#include "widgets/MessageBoxLayout.h"

#include <QLabel>
#include <QPushButton>
#include <QTreeWidget>
#include <QtTest>

namespace {
const QStringList kFailureLines = {
    "ERROR:  The connection has timed out.",
    "First, make sure you're connected to the Internet.",
    "If you are, click on the \"Retry\" button to make another attempt, or",
    "   click on the \"Settings\" button to switch to a different time server.",
    "If you're using a firewall or other type of Internet filter, make sure",
};

class FakeOptionsDialog : public OptionsDialogLink {
public:
    QRect geometryTwips() const override { return geometry; }
    int syncNowButtonBottomTwips() const override { return buttonBottom; }
    void setSyncNowButtonEnabled(bool enabled) override { syncNowEnabled = enabled; }

    QRect geometry{3000, 1500, 7000, 6000};
    int buttonBottom = 2400;
    bool syncNowEnabled = true;
};

// Notes every text the status panel shows, as it is painted.
class PanelRecorder : public QObject {
public:
    explicit PanelRecorder(QWidget& dialog) : label_(dialog.findChild<QLabel*>("statusPanel")) {
        label_->installEventFilter(this);
    }
    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() == QEvent::Paint && (texts.isEmpty() || texts.last() != label_->text())) {
            texts << label_->text();
        }
        return false;
    }
    QStringList texts;

private:
    QPointer<QLabel> label_;
};

// A one-record table whose server is "ntp.test", for the learned values.
QStringList tableTexts() {
    QStringList fields(34);
    fields[0] = "1";
    fields[1] = "-1";
    fields[2] = "Testland";
    fields[5] = "ntp.test";
    fields[6] = "2";
    fields[16] = "1";
    fields[21] = "-1";
    fields[27] = "0";
    fields[31] = "0";
    fields[32] = "0";
    fields[33] = "0";
    return {QString(), fields.join(';')};
}
}  // namespace

// The synchronisation window with a fake clock setter, driven against loopback responders.
class TimeSyncExecTest : public QObject {
    Q_OBJECT

    static constexpr int kTick = 100;  // shortened timings: one "second" of the dialog

    struct Fixture {
        MemorySettingsStore store;
        AppSettings settings{store};
        TrayMenuState menuState;
        SharedSettingsState shared;
        TimeServerTable table;
        FakeClockSetter setter;
        FakeHostLookup lookup;
        FakeOptionsDialog options;
        QList<int> optionsPages;
        TimeSyncTimings timings{kTick, 5, 10, 11};
        ClockSetter* clockSetter = &setter;
        QPointer<TimeSyncExec> dialog;
        quint16 listedServerPort = SntpTarget::kDefaultPort;
        QList<int> questionStyles;  // every message box the dialog showed
        int answer = MessageBoxResult::No;

        Fixture() {
            table.BuildTimeServerTable(tableTexts());
            lookup.addresses.insert("127.0.0.1", QHostAddress(QHostAddress::LocalHost));
            lookup.addresses.insert("ntp.test", QHostAddress(QHostAddress::LocalHost));
        }
        ~Fixture() { delete dialog.data(); }

        TimeSyncExec& open(bool optionsOpen = false) {
            menuState.mnuOptions.enabled = !optionsOpen;
            TimeSyncLinks links{settings,
                                menuState,
                                shared,
                                table,
                                *clockSetter,
                                lookup,
                                [this](int page) { optionsPages << page; },
                                &options,
                                [] { return QSize(19200, 14400); },
                                listedServerPort,
                                [this](const QString&, int style, const QString&) {
                                    questionStyles << style;
                                    return answer;
                                }};
            dialog = new TimeSyncExec(links, timings);
            dialog->show();
            return *dialog;
        }
        QPushButton* button(const char* name) const { return dialog->findChild<QPushButton*>(name); }
    };

    // The dialog deletes itself once closed; a slow machine may get there before the wait looks.
    static bool closingCountdownStarted(const Fixture& f) {
        return f.dialog && f.dialog->statusText() == "Closing in 10 seconds";
    }

private Q_SLOTS:
    // A server time 60 years ahead is put to the user in the program's message box, No the default.
    void aChangeOfMoreThanADayIsAskedFirst() {
        SntpResponder responder;
        responder.answer = [](const QByteArray& request) {
            QByteArray reply = SntpResponder::reply(request);
            SntpResponder::setTimestamp(reply, 32, quint64(0x60000000) << 32);
            SntpResponder::setTimestamp(reply, 40, quint64(0x60000000) << 32);
            return QList<QByteArray>{reply};
        };
        Fixture f;
        f.shared.currentServerHost = responder.target();
        TimeSyncExec& dialog = f.open();
        QVERIFY(QTest::qWaitFor([&] { return dialog.logLines().value(5).startsWith("Clock not changed"); }));
        QCOMPARE(f.questionStyles.size(), 1);
        QCOMPARE(f.questionStyles.first() / 256, 1);  // the second button, No, is the default
        QVERIFY(f.setter.offsets.isEmpty());

        delete f.dialog.data();
        f.answer = MessageBoxResult::Yes;
        f.open();
        QVERIFY(QTest::qWaitFor([&] { return f.setter.offsets.size() == 1; }));
        QVERIFY(f.setter.offsets.first() > 60LL * 365 * 86400 * 1000000);
    }

    void successClosesTenSecondsLaterAndRemembersIt() {
        SntpResponder responder;
        Fixture f;
        f.shared.currentServerHost = responder.target();
        TimeSyncExec& dialog = f.open();
        QVERIFY(!f.menuState.mnuSync.enabled);
        QVERIFY(QTest::qWaitFor([&] { return closingCountdownStarted(f); }));

        const QStringList lines = dialog.logLines();
        QCOMPARE(lines.size(), 5);
        QCOMPARE(lines.first(), "Connecting to:  " + responder.target());
        QVERIFY(lines.last().startsWith("Difference/adjustment to computer's clock: "));
        QCOMPARE(f.button("cancelButton")->text(), "Close");
        QVERIFY(f.button("retryButton")->isHidden());
        QCOMPARE(f.setter.offsets.size(), 1);
        const auto previous = f.settings.dateTime("PreviousAutoSync", QDateTime());
        QVERIFY(previous && qAbs(previous->secsTo(QDateTime::currentDateTime())) < 5);
        QVERIFY(!QGuiApplication::overrideCursor());

        PanelRecorder panel(dialog);
        QTRY_VERIFY(f.dialog.isNull());
        if (panel.texts.first() == "Closing in 10 seconds") {
            panel.texts.removeFirst();  // on a busy machine its first paint comes after the recorder starts
        }
        QCOMPARE(panel.texts.first(), "Closing in 9 seconds");
        QCOMPARE(panel.texts.at(8), "Closing in 1 seconds");
        QCOMPARE(panel.texts.last(), "Closing now");
        QCOMPARE(panel.texts.size(), 10);
        QVERIFY(f.menuState.mnuSync.enabled);
        QVERIFY(f.store.read("SyncLeft").has_value());
        QVERIFY(f.store.read("SyncTop").has_value());
    }

    void listedServerLearnsFromTheReply() {
        SntpResponder responder;
        responder.answer = [](const QByteArray& request) {
            QByteArray reply = SntpResponder::reply(request);
            reply[1] = 5;
            return QList<QByteArray>{reply};
        };
        responder.delayMs = 30;
        Fixture f;
        f.listedServerPort = responder.port();  // in place of 123, which needs root to bind
        TimeServer& record = *f.table.timeServers.at(0);
        record.setEnabled(false);
        record.setSntpSupported(false);
        f.shared.currentServerHost = "NTP.test";  // found whatever the letter case
        TimeSyncExec& dialog = f.open();
        QVERIFY(QTest::qWaitFor([&] { return closingCountdownStarted(f); }));
        QCOMPARE(dialog.logLines().first(), "Connecting to:  ntp.test:" + QString::number(responder.port()));
        QVERIFY(record.Enabled());
        QVERIFY(record.SntpSupported());
        QCOMPARE(record.Stratum(), 5);
        const int firstRoundTrip = record.RoundTrip();
        QVERIFY2(firstRoundTrip >= 30, qPrintable(QString::number(firstRoundTrip)));
        QCOMPARE(synchronisationTimeZone().SntpServer(), "ntp.test");

        // The first round trip stays; a later exchange does not replace it.
        responder.delayMs = firstRoundTrip + 60;
        QTest::mouseClick(f.button("cancelButton"), Qt::LeftButton);
        QTRY_VERIFY(f.dialog.isNull());
        f.open();
        QVERIFY(QTest::qWaitFor([&] { return closingCountdownStarted(f); }));
        QCOMPARE(record.RoundTrip(), firstRoundTrip);
    }

    void silenceFailsThenRetriesEveryTenSeconds() {
        SntpResponder responder;
        responder.answer = [](const QByteArray&) { return QList<QByteArray>{}; };
        Fixture f;
        f.shared.currentServerHost = responder.target();
        TimeSyncExec& dialog = f.open();
        QVERIFY(QTest::qWaitFor([&] { return QGuiApplication::overrideCursor() != nullptr; }));
        QCOMPARE(QGuiApplication::overrideCursor()->shape(), Qt::WaitCursor);
        QVERIFY(QTest::qWaitFor([&] { return dialog.logLines().size() == 7; }));
        QCOMPARE(dialog.logLines().mid(1, 5), kFailureLines);
        QCOMPARE(dialog.logLines().last(),
                 QStringLiteral("   the program can access UDP port %1.").arg(responder.port()));
        QVERIFY(f.button("retryButton")->isVisible() && f.button("retryButton")->isEnabled());
        QVERIFY(f.button("settingsButton")->isVisible() && f.button("settingsButton")->isEnabled());
        QCOMPARE(f.button("cancelButton")->text(), "Cancel");
        QVERIFY(!QGuiApplication::overrideCursor());

        QStringList panel{dialog.statusText()};
        QVERIFY(QTest::qWaitFor([&] {
            if (dialog.statusText() != panel.last()) {
                panel << dialog.statusText();
            }
            return responder.requests.size() == 2;
        }));
        QCOMPARE(panel.first(), "Synchronization auto-retry in 10 seconds");
        QCOMPARE(panel.at(9), "Synchronization auto-retry in 1 seconds");
        QCOMPARE(dialog.logLines(), QStringList{"Connecting to:  " + responder.target()});  // a fresh log
        QVERIFY(f.button("retryButton")->isHidden());
        QVERIFY(f.setter.offsets.isEmpty());
    }

    void retryButtonStartsAtOnce() {
        SntpResponder responder;
        responder.answer = [](const QByteArray&) { return QList<QByteArray>{}; };
        Fixture f;
        f.timings.retrySeconds = 1000;  // the countdown must not be what starts the new attempt
        f.shared.currentServerHost = responder.target();
        TimeSyncExec& dialog = f.open();
        QVERIFY(QTest::qWaitFor([&] { return f.button("retryButton")->isVisible(); }));
        QVERIFY(dialog.statusText().startsWith("Synchronization auto-retry in"));
        QTest::mouseClick(f.button("retryButton"), Qt::LeftButton);
        QCOMPARE(dialog.statusText(), QString());
        QVERIFY(QTest::qWaitFor([&] { return responder.requests.size() == 2; }, 1000));
        QTest::qWait(3 * kTick);
        QCOMPARE(dialog.statusText(), QString());  // the countdown stopped
    }

    void escapeWhileWaitingLeavesEverythingAlone() {
        SntpResponder responder;
        responder.delayMs = 3 * kTick;
        Fixture f;
        f.shared.currentServerHost = responder.target();
        TimeSyncExec& dialog = f.open();
        QVERIFY(QTest::qWaitFor([&] { return responder.requests.size() == 1; }));
        QTest::keyPress(&dialog, Qt::Key_Escape);
        QVERIFY(f.dialog && f.dialog->isVisible());  // closes on release, not on press
        QTest::keyRelease(&dialog, Qt::Key_Escape);
        QTRY_VERIFY(f.dialog.isNull());
        QTest::qWait(6 * kTick);  // the reply still arrives
        QVERIFY(f.setter.offsets.isEmpty());
        QVERIFY(!f.store.read("PreviousAutoSync"));
        QVERIFY(f.menuState.mnuSync.enabled);
        QVERIFY(!QGuiApplication::overrideCursor());
    }

    void theTitleDragsTheWindow() {
        Fixture f;
        f.shared.currentServerHost = "nowhere.test";
        TimeSyncExec& dialog = f.open();
        QVERIFY(QTest::qWaitForWindowExposed(&dialog));
        auto* title = dialog.findChild<QLabel*>("Label1");
        const QPoint moved = dialog.pos() + QPoint(25, 15);
        QTest::mousePress(title, Qt::LeftButton, {}, QPoint(5, 5));
        QTest::mouseMove(title, QPoint(30, 20));
        QTest::mouseRelease(title, Qt::LeftButton, {}, QPoint(30, 20));
        QCOMPARE(dialog.pos(), moved);
    }

    void settingsOpensTheTimeServerPage() {
        SntpResponder responder;
        responder.answer = [](const QByteArray&) { return QList<QByteArray>{}; };
        Fixture f;
        f.shared.currentServerHost = responder.target();
        f.open();
        QVERIFY(QTest::qWaitFor([&] { return f.button("settingsButton")->isVisible(); }));
        QTest::mouseClick(f.button("settingsButton"), Qt::LeftButton);
        QCOMPARE(f.optionsPages, QList<int>{3});
        QTRY_VERIFY(f.dialog.isNull());
    }

    void stoppingLinesLeaveOnlyCancel_data() {
        QTest::addColumn<QString>("host");
        QTest::addColumn<int>("replyKind");
        QTest::addColumn<QString>("lastLine");
        QTest::newRow("unknown host") << "nowhere.test" << 0 << "Could not resolve host name: nowhere.test";
        QTest::newRow("bad port") << "ntp.example:0" << 0 << "Could not resolve host name: ntp.example:0";
        QTest::newRow("47 bytes") << "" << 1 << "Invalid reply - expected 48 bytes, Received 47 bytes";
        QTest::newRow("zero time") << "" << 2 << "Server returned invalid time (0)";
        QTest::newRow("kiss-o'-death")
            << "" << 3 << "Server refused the request (kiss-o'-death code \"DENY\")";
        QTest::newRow("clock refused") << "" << 4 << "Clock not changed: permission refused (denied)";
    }
    void stoppingLinesLeaveOnlyCancel() {
        QFETCH(QString, host);
        QFETCH(int, replyKind);
        QFETCH(QString, lastLine);
        SntpResponder responder;
        responder.answer = [replyKind](const QByteArray& request) {
            QByteArray reply = SntpResponder::reply(request);
            if (replyKind == 1) {
                reply.chop(1);
            } else if (replyKind == 2) {
                SntpResponder::setTimestamp(reply, 40, 0);
            } else if (replyKind == 3) {
                reply[1] = 0;
                reply.replace(12, 4, "DENY");
            }
            return QList<QByteArray>{reply};
        };
        Fixture f;
        if (replyKind == 4) {
            f.setter.result = {ClockSetResult::Outcome::Failed,
                               "Clock not changed: permission refused (denied)"};
        }
        f.shared.currentServerHost = host.isEmpty() ? responder.target() : host;
        TimeSyncExec& dialog = f.open();
        QVERIFY(QTest::qWaitFor(
            [&] { return dialog.logLines().value(dialog.logLines().size() - 1) == lastLine; }));
        QTest::qWait(8 * kTick);  // neither countdown starts, and no retry follows
        QCOMPARE(dialog.logLines().last(), lastLine);
        QCOMPARE(dialog.statusText(), QString());
        QVERIFY(f.button("retryButton")->isHidden());
        QVERIFY(f.button("settingsButton")->isHidden());
        QCOMPARE(f.button("cancelButton")->text(), "Cancel");
        QVERIFY(!f.store.read("PreviousAutoSync"));
        QVERIFY(responder.requests.size() <= 1);
        QVERIFY(!QGuiApplication::overrideCursor());
        QCOMPARE(f.setter.offsets.size(), replyKind == 4 ? 1 : 0);
    }

    void dryRunClosesWithoutRecordingASync() {
        SntpResponder responder;
        DryRunClockSetter dryRun;
        Fixture f;
        f.clockSetter = &dryRun;
        f.shared.currentServerHost = responder.target();
        TimeSyncExec& dialog = f.open();
        QVERIFY(QTest::qWaitFor([&] { return closingCountdownStarted(f); }));
        QCOMPARE(dialog.logLines().last(), "Clock not changed (dry run)");
        QVERIFY(!f.store.read("PreviousAutoSync"));
    }

    void defaultPositions_data() {
        QTest::addColumn<bool>("optionsOpen");
        QTest::addColumn<QRect>("options");
        QTest::addColumn<QPoint>("position");
        // A 6001 x 5000 dialog in a 19200 x 14400 work area (twips).
        // Centred in the work area: (19200 - 6001) / 2 = 6599.5 rounds to the even 6600.
        QTest::newRow("centred") << false << QRect() << QPoint(6600, 4700);
        // Over the Options dialog: 3000 - (6001 - 7000) / 2 = 3499.5 -> 3500; top 1500 + 2400.
        QTest::newRow("below Synchronize Now") << true << QRect(3000, 1500, 7000, 6000) << QPoint(3500, 3900);
        // Too low for the work area: 14400 - 5000 - 30.
        QTest::newRow("kept above the bottom") << true << QRect(3000, 9000, 7000, 6000) << QPoint(3500, 9370);
    }
    void defaultPositions() {
        QFETCH(bool, optionsOpen);
        QFETCH(QRect, options);
        QFETCH(QPoint, position);
        FakeOptionsDialog link;
        link.geometry = options;
        QCOMPARE(
            TimeSyncExec::defaultPositionTwips({6001, 5000}, {19200, 14400}, optionsOpen ? &link : nullptr),
            position);
    }

    void storedPositionWinsUnlessOffScreen_data() {
        QTest::addColumn<QString>("left");
        QTest::addColumn<QString>("top");
        QTest::addColumn<bool>("stored");
        QTest::newRow("on screen") << "1500"
                                   << "3000" << true;
        QTest::newRow("off screen") << "90000"
                                    << "3000" << false;
        QTest::newRow("not a number") << "left"
                                      << "3000" << false;
    }
    void storedPositionWinsUnlessOffScreen() {
        QFETCH(QString, left);
        QFETCH(QString, top);
        QFETCH(bool, stored);
        SntpResponder responder;
        Fixture f;
        f.store.write("SyncLeft", left);
        f.store.write("SyncTop", top);
        f.shared.currentServerHost = responder.target();
        TimeSyncExec& dialog = f.open();
        const int twips = 15;
        if (stored) {
            QCOMPARE(dialog.pos(), QPoint(1500 / twips, 3000 / twips));
        } else {
            QVERIFY(dialog.pos().x() * twips < 19200);
        }
    }

    void openedFromOptionsDoesNotSaveItsPosition() {
        SntpResponder responder;
        Fixture f;
        f.timings.closeCountdown = 1;
        f.shared.currentServerHost = responder.target();
        f.open(true);
        QVERIFY(!f.options.syncNowEnabled);
        QTRY_VERIFY(f.dialog.isNull());
        QVERIFY(f.options.syncNowEnabled);
        QVERIFY(!f.store.read("SyncLeft"));
        QVERIFY(f.store.read("PreviousAutoSync").has_value());
    }

    void logTrimsTrailingSpacesAndGivesFocusAway() {
        Fixture f;
        f.shared.currentServerHost = "nowhere.test";
        TimeSyncExec& dialog = f.open();
        dialog.LogLine("   indented, trailing   ");
        QCOMPARE(dialog.logLines().last(), "   indented, trailing");
        dialog.activateWindow();
        dialog.findChild<QTreeWidget*>("SyncLog")->setFocus();
        QTRY_COMPARE(QApplication::focusWidget(), f.button("cancelButton"));
    }

    void programConstructorHonoursDryRun() {
        // Never shown: no exchange starts, so not even a wrong setter could act.
        TestOptions options;
        RecordingMenuServices services;
        QPointer<TimeSyncExec> dryRun = new TimeSyncExec(options.live(), services, true);
        QVERIFY(dynamic_cast<DryRunClockSetter*>(&dryRun->clockSetter()));
        QVERIFY(!options.items.mnuSync.enabled);
        dryRun->close();
        QTRY_VERIFY(dryRun.isNull());
        QVERIFY(options.items.mnuSync.enabled);
        QVERIFY(options.store.read("SyncLeft").has_value());

        QPointer<TimeSyncExec> real = new TimeSyncExec(options.live(), services, false);
        QVERIFY(dynamic_cast<LinuxClockSetter*>(&real->clockSetter()));
        delete real.data();
        QVERIFY(options.items.mnuSync.enabled);
    }
};

QTEST_MAIN(TimeSyncExecTest)
#include "tst_timesyncexec.moc"
