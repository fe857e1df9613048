#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

// Reads files of /proc and /sys below a root folder: the real "/" in the program, a fixture tree in
// tests. Paths given to it are absolute system paths ("/proc/meminfo"); the root is put in front.
// Reads use plain read(2) so that a sample stays cheap.
class SystemFiles {
public:
    explicit SystemFiles(QString root = QStringLiteral("/"));

    const QString& root() const { return root_; }
    // The path of a system file below the root.
    QString path(const QString& systemPath) const;
    QByteArray nativePath(const QString& systemPath) const;

    // The whole file (at most maxBytes); false when it cannot be opened or read.
    bool read(const QString& systemPath, QByteArray& content, qsizetype maxBytes = 1 << 20) const;
    // The first line of a small file, trimmed; empty when missing.
    QByteArray readLine(const QString& systemPath) const;
    // Entry names of a folder, without "." and ".."; false when it cannot be listed.
    bool list(const QString& systemPath, QStringList& names) const;
    // Where a symbolic link in the system tree points, as a system path with "." and ".." resolved,
    // or empty. Links are resolved inside the root, never outside it.
    QString resolveLink(const QString& systemPath) const;

private:
    QString root_;
};
