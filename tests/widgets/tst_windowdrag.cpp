#include "widgets/WindowDrag.h"

#include <QLabel>
#include <QMouseEvent>
#include <QPushButton>
#include <QtTest>

// The offscreen platform refuses the window manager's move, so these run the window's own.
class WindowDragTest : public QObject {
    Q_OBJECT

    struct Window : QWidget {
        Qt::MouseButton ownPress = Qt::NoButton;  // the last press the window saw itself
        void mousePressEvent(QMouseEvent* event) override { ownPress = event->button(); }
    };

    struct Form {
        Window window;
        QLabel* label = new QLabel(QStringLiteral("Title"), &window);
        QPushButton* button = new QPushButton(QStringLiteral("Cancel"), &window);

        Form() {
            window.setWindowFlag(Qt::FramelessWindowHint);
            window.setGeometry(100, 200, 200, 100);
            label->setGeometry(0, 0, 200, 30);
            button->setGeometry(100, 60, 80, 30);
            new WindowDrag(&window);
            window.show();
        }
    };

private Q_SLOTS:
    void followsTheLeftButton_data() {
        QTest::addColumn<bool>("byLabel");
        QTest::newRow("body") << false;
        QTest::newRow("label on it") << true;
    }
    void followsTheLeftButton() {
        QFETCH(bool, byLabel);
        Form form;
        QVERIFY(QTest::qWaitForWindowExposed(&form.window));
        QWidget* grip = byLabel ? static_cast<QWidget*>(form.label) : &form.window;
        const QPoint moved = form.window.pos() + QPoint(30, 20);
        QTest::mousePress(grip, Qt::LeftButton, {}, QPoint(10, 10));
        QTest::mouseMove(grip, QPoint(40, 30));
        QTRY_COMPARE(form.window.pos(), moved);
        QTest::mouseRelease(grip, Qt::LeftButton, {}, QPoint(40, 30));
        QTest::mousePress(&form.window, Qt::RightButton, {}, QPoint(40, 40));
        QTest::mouseMove(&form.window, QPoint(90, 80));  // the drag ended with the left button
        QTest::mouseRelease(&form.window, Qt::RightButton, {}, QPoint(90, 80));
        QCOMPARE(form.window.pos(), moved);
    }

    void otherButtonsAndControlsKeepTheirPresses() {
        Form form;
        QVERIFY(QTest::qWaitForWindowExposed(&form.window));
        const QPoint start = form.window.pos();
        QTest::mousePress(&form.window, Qt::RightButton, {}, QPoint(10, 40));
        QCOMPARE(form.window.ownPress, Qt::RightButton);
        QTest::mouseRelease(&form.window, Qt::RightButton, {}, QPoint(10, 40));
        QSignalSpy clicked(form.button, &QPushButton::clicked);
        QTest::mousePress(form.button, Qt::LeftButton, {}, QPoint(5, 5));
        QTest::mouseMove(form.button, QPoint(30, 20));
        QTest::mouseRelease(form.button, Qt::LeftButton, {}, QPoint(6, 6));
        QCOMPARE(clicked.count(), 1);
        QCOMPARE(form.window.pos(), start);
    }
};

QTEST_MAIN(WindowDragTest)
#include "tst_windowdrag.moc"
