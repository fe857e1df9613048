#pragma once

#include <QLockFile>
#include <QString>
#include <memory>

// Holds the per-user lock that keeps a second copy of the program from starting. A lock left by a
// copy that died is recognised by its process id and taken over.
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

    explicit SingleInstance(const QString& lockPath = defaultLockPath());

    Result acquire();

    static QString defaultLockPath();

private:
    QString lockPath_;
    std::unique_ptr<QLockFile> lock_;
};
