#pragma once

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
    DesktopSession();
    ~DesktopSession();

    bool available(QString* why) const;
    QString configFile() const;
    void writeSettings(const QByteArray& settingsSection);
    // Keeps the program's standard error for errorOutput() instead of passing it on.
    void keepErrorOutput() { keepErrors_ = true; }
    QString errorOutput();
    bool startProgram(const QStringList& arguments = {});
    void stopProgram();
    QProcess& program() { return *program_; }

    // The tray icon's rectangle in screen pixels, once the tray host has embedded it.
    QRect trayIcon() const;
    // A visible window of the program whose name matches, or an empty rectangle.
    QRect window(const QString& name) const;
    // Whether the tray menu is open: a visible window of the program larger than the icon.
    bool menuOpen() const;
    QString settings() const;

    static QString run(const QString& program, const QStringList& arguments);
    static void xdotool(const QStringList& arguments);
    static void movePointer(QPoint at);

private:
    QString home_;
    std::unique_ptr<QProcess> program_;
    bool keepErrors_ = false;
    QString errors_;
};
