#pragma once

#include "platform/linux/SystemFiles.h"

#include <QByteArray>

// A system file read again on every sample (/proc/stat, /proc/meminfo, ...). It stays open and
// each read starts afresh at offset 0: that spares the path lookup and the set-up an open costs
// per sample. A file that went away (removed or replaced, or a read error such as ENODEV when its
// device vanished) is opened again by its path.
class KeptOpenFile {
public:
    KeptOpenFile(const SystemFiles& files, const QString& systemPath);
    ~KeptOpenFile();
    KeptOpenFile(const KeptOpenFile&) = delete;
    KeptOpenFile& operator=(const KeptOpenFile&) = delete;

    // The whole file (at most maxBytes) into content, whose capacity is kept for the next read;
    // false when it cannot be opened or read.
    bool read(QByteArray& content, qsizetype maxBytes);

private:
    bool readFromStart(QByteArray& content, qsizetype maxBytes) const;
    void close();

    QByteArray path_;
    int fd_ = -1;
};
