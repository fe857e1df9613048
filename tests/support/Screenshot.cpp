#include "support/Screenshot.h"

#include <QDir>
#include <QGuiApplication>
#include <QProcess>

void saveScreenshot(const QString& name) {
    const QString folder = qEnvironmentVariable("QUORVANE_TEST_SCREENSHOTS");
    if (folder.isEmpty()) {
        return;
    }
    // What the program has still to paint reaches the X server first.
    QCoreApplication::processEvents();
    QGuiApplication::sync();
    QProcess::execute(QStringLiteral("import"), {QStringLiteral("-window"), QStringLiteral("root"),
                                                 QDir(folder).filePath(name + ".png")});
}
