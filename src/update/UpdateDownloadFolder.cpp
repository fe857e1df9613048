#include "update/UpdateDownloadFolder.h"

#include <sys/stat.h>
#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>
#include <cerrno>
#include <cstring>

QString UpdateDownloadFolder::defaultParent() {
    for (const auto location : {QStandardPaths::GenericCacheLocation, QStandardPaths::RuntimeLocation}) {
        const QString folder = QStandardPaths::writableLocation(location);
        if (!folder.isEmpty()) {
            return folder + QStringLiteral("/quorvane");
        }
    }
    return {};
}

QString UpdateDownloadFolder::path() const {
    return parent_ + QStringLiteral("/update");
}

std::optional<QString> UpdateDownloadFolder::prepare(const QString& fileName, QString* error) const {
    const auto fail = [error](const QString& text) -> std::optional<QString> {
        *error = text;
        return std::nullopt;
    };
    if (parent_.isEmpty() || fileName.isEmpty() || fileName.contains(QLatin1Char('/')) ||
        fileName == QLatin1String(".") || fileName == QLatin1String("..")) {
        return fail(
            QStringLiteral("There is no folder to download the update file \"%1\" into.").arg(fileName));
    }
    if (!QDir().mkpath(parent_)) {
        return fail(QStringLiteral("The folder \"%1\" could not be created.").arg(parent_));
    }
    const QString folder = path();
    const QFileInfo old(folder);
    if (old.isSymLink() || old.isFile()) {
        QFile::remove(folder);  // removes a link itself, never its target
    } else if (old.exists()) {
        QDir(folder).removeRecursively();
    }
    // mkdir refuses a folder that appeared meanwhile, so nobody else's folder is ever used.
    if (::mkdir(QFile::encodeName(folder).constData(), S_IRWXU) != 0) {
        return fail(QStringLiteral("The folder \"%1\" could not be created: %2.")
                        .arg(folder, QString::fromLocal8Bit(std::strerror(errno))));
    }
    return folder + QLatin1Char('/') + fileName;
}
