#include "widgets/EscapeReleaseCloser.h"

#include <QDialog>
#include <QKeyEvent>
#include <QtTest>

class EscapeReleaseCloserTest : public QObject {
    Q_OBJECT

    // What the window system sends while Escape is held down: a release and a press, both repeats.
    static void repeatEscape(QWidget* window) {
        QKeyEvent release(QEvent::KeyRelease, Qt::Key_Escape, Qt::NoModifier, QString(), true);
        QApplication::sendEvent(window, &release);
        QKeyEvent press(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier, QString(), true);
        QApplication::sendEvent(window, &press);
    }

private Q_SLOTS:
    void heldDownEscape_data() {
        QTest::addColumn<bool>("closedWhileHeld");
        QTest::newRow("repeats ignored") << false;
        QTest::newRow("repeats close") << true;
    }
    // A dialog would reject on the press; here only a release ends it, with its own result.
    void heldDownEscape() {
        QFETCH(bool, closedWhileHeld);
        using Repeats = EscapeReleaseCloser::Repeats;
        QDialog dialog;
        const auto close = [&dialog] { dialog.done(7); };
        new EscapeReleaseCloser(&dialog, closedWhileHeld ? Repeats::Close : Repeats::Ignored, close);
        dialog.show();
        QVERIFY(QTest::qWaitForWindowExposed(&dialog));
        QTest::keyPress(&dialog, Qt::Key_Escape);
        QVERIFY(dialog.isVisible());
        repeatEscape(&dialog);
        QCOMPARE(!dialog.isVisible(), closedWhileHeld);
        QTest::keyRelease(&dialog, Qt::Key_Escape);
        QVERIFY(!dialog.isVisible());
        QCOMPARE(dialog.result(), 7);
    }
};

QTEST_MAIN(EscapeReleaseCloserTest)
#include "tst_escapereleasecloser.moc"
