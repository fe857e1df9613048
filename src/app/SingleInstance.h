#pragma once

#include <QLockFile>
#include <QString>
#include <memory>

// Holds the per-user lock that keeps a second copy of the program from starting. A lock left by a
// copy that died is recognised by its process id and taken over.
class SingleInstance {
public:
    explicit SingleInstance(const QString& lockPath = defaultLockPath());

    // True when this process now holds the lock; false when another live copy holds it.
    bool acquire();

    static QString defaultLockPath();

private:
    std::unique_ptr<QLockFile> lock_;
};
