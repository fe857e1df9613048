#include "support/Screenshot.h"

#include <QDir>
#include <QProcess>

void saveScreenshot(const QString& name) {
    const QString folder = qEnvironmentVariable("QUORVANE_TEST_SCREENSHOTS");
    if (folder.isEmpty()) {
        return;
    }
    QProcess::execute(QStringLiteral("import"), {QStringLiteral("-window"), QStringLiteral("root"),
                                                 QDir(folder).filePath(name + ".png")});
}
