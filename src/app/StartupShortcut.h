#pragma once

#include <QString>

// "Run at start-up" is the XDG autostart entry Quorvane.desktop: the user's entry in
// $XDG_CONFIG_HOME/autostart, which also switches off a system-wide entry of the same name by
// saying Hidden=true. No setting records the choice: the entry is the choice.
class StartupShortcut {
public:
    explicit StartupShortcut(QString name = QStringLiteral("Quorvane"));

    // The user's entry; the start-up check and removal look here.
    QString FindStartupShortcut() const;
    // True when the user's entry exists and does not hide the program.
    bool exists() const;
    // Writes the user's entry starting target; on failure returns the message to show.
    QString CreateShortcut(const QString& target, const QString& arguments = QString());
    void RemoveStartupShortcut();

    static QString failureMessage(const QString& target);
    // The Exec= value for a program path and arguments, quoted as desktop entries require.
    static QString execLine(const QString& target, const QString& arguments);

private:
    QString systemWideEntry() const;
    bool writeEntry(const QByteArray& content) const;

    QString name_;
};
