#pragma once

#include <QString>

// Hands a downloaded file to whatever the desktop opens such files with (for a package, the
// system's package installer).
class FileStarter {
public:
    virtual ~FileStarter() = default;
    virtual bool start(const QString& path) = 0;  // false when nothing took the file
};
