#include "app/Logo.h"

#include <QGuiApplication>
#include <QScreen>
#include <QTest>
#include <QTimer>

// The splash screen on a real X display: what start-up waits for must be on the screen, not blank.
class LogoTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void isPaintedWithRoundCornersAndClosesItself() {
        Logo splash;
        int matchingPercent = -1;
        QRgb cornerOnScreen = 0;
        QRgb insideOnScreen = 0;
        QTimer look;
        look.setInterval(50);
        connect(&look, &QTimer::timeout, [&] {
            if (!splash.isVisible() || matchingPercent >= 95) {
                return;
            }
            const QImage painted = splash.grab().toImage().convertToFormat(QImage::Format_RGB32);
            const QImage screen = splash.screen()
                                      ->grabWindow(0, splash.x(), splash.y(), splash.width(), splash.height())
                                      .toImage()
                                      .convertToFormat(QImage::Format_RGB32);
            if (screen.size() != painted.size()) {
                return;
            }
            int same = 0;
            int total = 0;
            for (int y = 25; y < painted.height() - 25; ++y) {
                for (int x = 25; x < painted.width() - 25; ++x) {
                    same += painted.pixel(x, y) == screen.pixel(x, y);
                    ++total;
                }
            }
            matchingPercent = 100 * same / total;
            cornerOnScreen = screen.pixel(1, 1);
            insideOnScreen = screen.pixel(screen.width() / 2, 6);
        });
        look.start();
        splash.exec();  // returns once the splash has closed itself
        QVERIFY(!splash.isVisible());
        QVERIFY2(matchingPercent >= 95, qPrintable(QString::number(matchingPercent)));
        QVERIFY(cornerOnScreen != insideOnScreen);  // the rounded corner shows what lies behind
    }
};

QTEST_MAIN(LogoTest)
#include "tst_logo_x11.moc"
