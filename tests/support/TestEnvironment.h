#pragma once

#include <QString>
#include <QTemporaryDir>

// Points the XDG folders of the process at a fresh temporary folder, so tests never touch the
// user's real settings, autostart entries or runtime files.
class TestEnvironment {
public:
    TestEnvironment();
    QString path() const { return dir_.path(); }
    QString configHome() const;

private:
    QTemporaryDir dir_;
};
