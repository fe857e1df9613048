#pragma once

#include "platform/linux/IniSettingsStore.h"

#include <QDir>
#include <QLockFile>
#include <QString>
#include <memory>

// Holds the lock that keeps a second copy of the program from using the same settings file. The
// lock lies beside the settings file, so copies that differ in anything else (their runtime folder)
// still find it; where that folder takes no file, it lies in a folder of the user's own in the
// shared temporary folder, named after the settings file. A lock left by a copy that died is
// recognised by its process id and taken over.
class SingleInstance {
public:
    enum class Outcome {
        Acquired,           // this process holds the lock now
        HeldByAnotherCopy,  // a live copy holds it: this one ends quietly
        Failed,             // no lock could be made (read-only or full folder): `reason` says why
    };
    struct Result {
        Outcome outcome;
        QString reason;
    };

    explicit SingleInstance(const QString& settingsFile = IniSettingsStore::defaultFilePath(),
                            const QString& sharedTemp = QDir::tempPath());

    Result acquire();
    // The lock held, or the last one tried.
    QString lockPath() const { return lockPath_; }

    // "<sharedTemp>/quorvane-<uid>", made private to the user; a folder of that name that belongs
    // to another user, or that others may write to, is passed over for the next free name. Empty,
    // with `why` set, when none can be had.
    static QString ownTempFolder(const QString& sharedTemp, QString& why);

private:
    Outcome tryLock(const QString& path);

    QString settingsFile_;
    QString sharedTemp_;
    QString lockPath_;
    std::unique_ptr<QLockFile> lock_;
};
