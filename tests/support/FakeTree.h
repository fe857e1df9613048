#pragma once

#include <QByteArray>
#include <QString>
#include <QTemporaryDir>

// A fake root for /proc and /sys files the test writes, read through SystemFiles(path()).
class FakeTree {
public:
    bool isValid() const { return dir_.isValid(); }
    QString path() const { return dir_.path(); }
    // Writes a file below the root, making its folders; false when that fails.
    bool write(const QString& systemPath, const QByteArray& content) const;

private:
    QTemporaryDir dir_;
};
