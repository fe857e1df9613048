#include "app/Application.h"
#include "support/DesktopSession.h"
#include "support/PrivateDisplay.h"
#include "support/Screenshot.h"
#include "support/TestEnvironment.h"
#include "widgets/Balloon.h"

#include <QApplication>
#include <QScreen>
#include <QtTest>

// The program in this process on a display of its own with a window manager and the tray along the
// bottom edge, or the top edge with QUORVANE_TEST_PANEL_EDGE=top: where the monitor window, the
// pop-up and the alert balloon go, driven with real pointer moves and clicks (XTEST).
class TrayPanelTest : public QObject {
    Q_OBJECT

    const PrivateDisplay& display_;
    std::unique_ptr<TestEnvironment> environment_;
    std::unique_ptr<Application> program_;
    QRect icon_;

    bool top() const { return display_.edge() == PrivateDisplay::PanelEdge::Top; }
    QString shotName(const char* what) const {
        return QStringLiteral("i22b-%1-%2").arg(QLatin1String(what), top() ? "top" : "bottom");
    }
    template <typename Window>
    static Window* shown(const char* className = nullptr) {
        for (QWidget* widget : QApplication::topLevelWidgets()) {
            auto* window = qobject_cast<Window*>(widget);
            if (window && window->isVisible() &&
                (className == nullptr || qstrcmp(widget->metaObject()->className(), className) == 0)) {
                return window;
            }
        }
        return nullptr;
    }
    static Balloon* alert() {
        for (QWidget* widget : QApplication::topLevelWidgets()) {
            auto* balloon = qobject_cast<Balloon*>(widget);
            if (balloon && balloon->isVisible() && balloon->title() == "Computer Threshold Violations") {
                return balloon;
            }
        }
        return nullptr;
    }
    static QWidget* tooltip() { return shown<QWidget>("QTipLabel"); }
    // Onto the icon from its corner, so that it sees the pointer come in and then rest.
    void restOnTheIcon() {
        DesktopSession::movePointer(icon_.topLeft() + QPoint(2, 2));
        QTRY_COMPARE(QCursor::pos(), icon_.topLeft() + QPoint(2, 2));
        DesktopSession::movePointer(icon_.center());
    }

public:
    explicit TrayPanelTest(const PrivateDisplay& display) : display_(display) {}

private Q_SLOTS:
    void initTestCase() {
        QString why;
        if (!display_.started(&why)) {
            QSKIP(qPrintable(why));
        }
        environment_ = std::make_unique<TestEnvironment>();
        qputenv("DBUS_SESSION_BUS_ADDRESS", "disabled:");
        QDir().mkpath(environment_->configHome() + "/Quorvane");
        QFile file(environment_->configHome() + "/Quorvane/Quorvane.conf");
        QVERIFY(file.open(QIODevice::WriteOnly));
        // A monitor window stored far right of the screen; memory use is always above 1 %.
        file.write(
            "[Settings]\nDefined=Yes\nShowCPU=1\nShowPhysMem=1\nShowCDrive=1\nShowSplash=0\n"
            "VersionCheck=False\nShowExitPrompt=False\nShowStatsAtStartup=1\nMainLeft=300000\n"
            "MainTop=3000\nLevelPhysMem=1\nMonitorLevels=False\n");
        file.close();
        program_ = std::make_unique<Application>(CommandLine::parse({QStringLiteral("--dry-run")}));
        QCOMPARE(program_->start(), Application::Start::Running);
        // trayer lines its icons up on the right; embedded, the icon stays put.
        QElapsedTimer still;
        const auto settled = [&] {
            const QRect now = program_->trayIcon() ? program_->trayIcon()->geometry() : QRect();
            if (now != icon_) {
                icon_ = now;
                still.start();
            }
            return icon_.center().x() > 640 && still.elapsed() >= 500;
        };
        QVERIFY2(QTest::qWaitFor(settled, 15000), "the tray host did not embed the icon");
        QVERIFY(top() ? icon_.top() < 100 : icon_.bottom() > 700);
    }

    void cleanupTestCase() {
        if (program_) {
            program_->menu().unload();
        }
    }

    // Stored off the screen, the window comes back with its frame, not only its client area, on it.
    void monitorPulledOntoTheScreenWithItsFrame() {
        monitor::Display* monitor = shown<monitor::Display>();
        QVERIFY(monitor);
        QVERIFY(QTest::qWaitFor([&] { return monitor->frameGeometry().width() > monitor->width(); }, 5000));
        const QRect screen = monitor->screen()->geometry();
        QTRY_COMPARE(monitor->frameGeometry().right(), screen.right());
        QVERIFY(screen.contains(monitor->frameGeometry()));
        saveScreenshot(shotName("monitor-frame-on-screen"));
        // Closed with Escape: the pop-up comes only while the monitor window is closed.
        DesktopSession::xdotool({"windowactivate", "--sync", QString::number(monitor->winId())});
        DesktopSession::xdotool({"key", "Escape"});
        QTRY_VERIFY_WITH_TIMEOUT(shown<monitor::Display>() == nullptr, 5000);
    }

    // Resting on the icon opens the pop-up beside it; the tray's tooltip does not stay under it.
    void popupBesideTheIconInPlaceOfTheTooltip() {
        restOnTheIcon();
        QTRY_VERIFY_WITH_TIMEOUT(shown<Popup>() != nullptr, 5000);
        const QRect popup = shown<Popup>()->frameGeometry();
        // Qt lets a tooltip go after a moment; left alone it would stay for ten seconds.
        QTRY_VERIFY2_WITH_TIMEOUT(!tooltip(), "the tray's tooltip stays under the pop-up", 1000);
        QVERIFY(!popup.intersects(icon_));
        QVERIFY(popup.left() <= icon_.right() && popup.right() >= icon_.left());  // the icon's column
        const int gap = top() ? popup.top() - icon_.bottom() : icon_.top() - popup.bottom();
        QVERIFY2(gap > 0 && gap <= 8, qPrintable(QStringLiteral("%1 px from the icon").arg(gap)));
        DesktopSession::movePointer(icon_.center() + QPoint(1, 0));  // a user's hand is never still
        QTest::qWait(1200);                                          // longer than a tooltip takes to come
        QVERIFY2(!tooltip(), "the tray's tooltip came back over the pop-up");
        saveScreenshot(shotName("popup-at-icon"));
        DesktopSession::movePointer(QPoint(300, 400));
        QTRY_VERIFY_WITH_TIMEOUT(shown<Popup>() == nullptr, 6000);
    }

    // Monitoring switched on from the tray menu: the alert points at the icon and leaves it in sight.
    void alertPointsAtTheIconWithoutCoveringIt() {
        QMenu& menu = program_->trayIcon()->MenuTray();
        DesktopSession::movePointer(icon_.center());
        for (int attempt = 0; attempt < 3 && !menu.isVisible(); ++attempt) {
            DesktopSession::xdotool({"click", "3"});
            (void)QTest::qWaitFor([&] { return menu.isVisible(); }, 3000);
        }
        QVERIFY(menu.isVisible());
        DesktopSession::movePointer(
            menu.mapToGlobal(menu.actionGeometry(program_->trayIcon()->action("mnuMonitor")).center()));
        DesktopSession::xdotool({"click", "1"});
        QTRY_VERIFY(program_->menu().menuState().mnuMonitor.checked);
        DesktopSession::movePointer(QPoint(300, 400));
        QTRY_VERIFY_WITH_TIMEOUT(alert() != nullptr, 15000);  // the first check comes after 5 s
        Balloon* balloon = alert();
        QVERIFY2(!balloon->frameGeometry().intersects(icon_), "the alert covers the tray icon");
        const QPoint tip = balloon->currentLayout().tipOnScreen();
        const int edge = top() ? icon_.bottom() + 1 : icon_.top();
        QVERIFY2(qAbs(tip.y() - edge) <= 2, qPrintable(QStringLiteral("tail ends at y %1").arg(tip.y())));
        QVERIFY(tip.x() >= icon_.left() && tip.x() <= icon_.right());
        saveScreenshot(shotName("alert-at-icon"));
    }
};

int main(int argc, char** argv) {
    // The display comes first: the application connects to it.
    const PrivateDisplay display(PrivateDisplay::edgeFromEnvironment(), true);
    QString why;
    if (!display.started(&why)) {
        qputenv("QT_QPA_PLATFORM", "offscreen");  // the test case then says why it skips
    }
    QApplication app(argc, argv);
    app.setQuitOnLastWindowClosed(false);
    TrayPanelTest test(display);
    return QTest::qExec(&test, argc, argv);
}

#include "tst_traypanel_x11.moc"
