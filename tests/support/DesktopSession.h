#pragma once

#include "support/ProgramHome.h"

#include <QPoint>
#include <QProcess>
#include <QRect>
#include <QString>
#include <QStringList>
#include <memory>

// Drives the real program on the test's X display the way a user would, with xdotool, and finds
// its windows by name.
class DesktopSession {
public:
    ~DesktopSession();

    bool available(QString* why) const;
    void writeSettings(const QByteArray& settingsSection) { home_.writeSettings(settingsSection); }
    QString settings() const { return home_.settings(); }
    // Keeps the program's standard error for errorOutput() instead of passing it on.
    void keepErrorOutput() { keepErrors_ = true; }
    // A variable of the program's environment beyond its home's (a session bus, another display).
    void setVariable(const QString& name, const QString& value) { variables_.insert(name, value); }
    QString errorOutput();
    bool startProgram(const QStringList& arguments = {});
    // Starts the program with these settings and waits until the tray host has embedded its icon and
    // settled (icon() then); false with the reason in `why` when it does not get there.
    bool startInTray(const QByteArray& settingsSection, QString* why);
    void stopProgram();
    QProcess& program() { return *program_; }

    // The icon found by startInTray.
    QRect icon() const { return icon_; }
    // Right-clicks the icon until its menu shows. On this display a click that lands right after
    // the program handled another menu command is sometimes not seen by the icon; a user clicks again.
    bool openTrayMenu();

    // The tray icon's rectangle in screen pixels, once the tray host has embedded it.
    QRect trayIcon() const;
    // A visible window of the program whose name matches, or an empty rectangle.
    QRect window(const QString& name) const;
    // Whether the tray menu is open: a visible window of the program larger than the icon.
    bool menuOpen() const;
    // The open tray menu's rectangle in screen pixels, or an empty one.
    QRect trayMenu() const;
    // Clicks the open tray menu's last item ("Exit").
    void clickLastMenuItem();

    static QString run(const QString& program, const QStringList& arguments);
    static void xdotool(const QStringList& arguments);
    static void movePointer(QPoint at);
    // Saves a picture of the whole X display as <name>.png in the folder named by the environment
    // variable QUORVANE_SCREENSHOTS, when it is set.
    static void screenshot(const QString& name);

private:
    ProgramHome home_;
    std::unique_ptr<QProcess> program_;
    QProcessEnvironment variables_;
    bool keepErrors_ = false;
    QString errors_;
    QRect icon_;
};
