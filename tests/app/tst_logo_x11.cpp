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
        // What the screen shows where the splash is about to open: its cut-off corners must show it still.
        const QRect place(splash.screen()->availableGeometry().center() - splash.rect().center(),
                          splash.size());
        const QImage behind = splash.screen()
                                  ->grabWindow(0, place.x(), place.y(), place.width(), place.height())
                                  .toImage()
                                  .convertToFormat(QImage::Format_RGB32);
        const QList<QPoint> corners{{0, 0}, {1, 1}, {3, 1}, {1, 3}, {place.width() - 2, place.height() - 2}};
        for (const QPoint& corner : corners) {
            if (behind.pixel(corner) == splash.palette().color(QPalette::Window).rgb()) {
                QSKIP("the screen behind the splash has the splash's own background colour");
            }
        }
        int matchingPercent = -1;
        QList<QRgb> cornersOnScreen;
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
            cornersOnScreen.clear();
            for (const QPoint& corner : corners) {
                cornersOnScreen << screen.pixel(corner);
            }
        });
        look.start();
        splash.exec();  // returns once the splash has closed itself
        QVERIFY(!splash.isVisible());
        QVERIFY2(matchingPercent >= 95, qPrintable(QString::number(matchingPercent)));
        QCOMPARE(splash.pos(), place.topLeft());
        for (qsizetype i = 0; i < corners.size(); ++i) {  // the rounded corners show what lies behind
            QVERIFY2(cornersOnScreen.at(i) == behind.pixel(corners.at(i)),
                     qPrintable(QStringLiteral("corner pixel (%1, %2) is %3 on the screen, %4 behind")
                                    .arg(corners.at(i).x())
                                    .arg(corners.at(i).y())
                                    .arg(cornersOnScreen.at(i), 0, 16)
                                    .arg(behind.pixel(corners.at(i)), 0, 16)));
        }
    }
};

QTEST_MAIN(LogoTest)
#include "tst_logo_x11.moc"
