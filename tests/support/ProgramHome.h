#pragma once

#include <QByteArray>
#include <QProcess>
#include <QProcessEnvironment>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>

// A home of its own for runs of the real program: its configuration folder (which also holds the
// single-instance lock) and a private runtime folder in a temporary folder, and the environment
// that points the program there and keeps it off the session bus. Every run has --dry-run, so the clock stays
// as it is whatever the settings ask for.
class ProgramHome {
public:
    ProgramHome();

    QString path() const { return dir_.path(); }
    QString configHome() const { return dir_.filePath(QStringLiteral("config")); }
    QString runtimeDir() const { return dir_.filePath(QStringLiteral("runtime")); }
    QString settingsFolder() const { return configHome() + QStringLiteral("/Quorvane"); }
    QString settingsFile() const { return settingsFolder() + QStringLiteral("/Quorvane.conf"); }

    // Replaces the settings file, and makes its folder, with a [Settings] section of these lines.
    bool writeSettings(const QByteArray& settingsSection) const;
    QString settings() const;

    // The test's own environment with XDG_CONFIG_HOME and XDG_RUNTIME_DIR in this home and no
    // session bus.
    QProcessEnvironment environment() const;
    // Starts the program with these arguments in `variables`, or in environment() when empty.
    void start(QProcess& process, const QStringList& arguments = {},
               const QProcessEnvironment& variables = {}) const;

private:
    QTemporaryDir dir_;
};
