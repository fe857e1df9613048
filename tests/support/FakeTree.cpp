#include "support/FakeTree.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

bool FakeTree::write(const QString& systemPath, const QByteArray& content) const {
    const QString full = dir_.path() + systemPath;
    QFile file(full);
    return QDir().mkpath(QFileInfo(full).path()) && file.open(QIODevice::WriteOnly | QIODevice::Truncate) &&
           file.write(content) == content.size();
}
