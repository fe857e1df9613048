#include "app/StartupShortcut.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QSaveFile>
#include <QSettings>
#include <QStandardPaths>

namespace {
QString autostartFolder(const QString& configFolder) {
    return configFolder + QStringLiteral("/autostart/");
}

bool hidesProgram(const QString& path) {
    QSettings entry(path, QSettings::IniFormat);
    entry.beginGroup(QStringLiteral("Desktop Entry"));
    return entry.value(QStringLiteral("Hidden"))
               .toString()
               .compare(QLatin1String("true"), Qt::CaseInsensitive) == 0;
}

QString quoteArgument(const QString& argument) {
    static const QRegularExpression plain(QStringLiteral("^[A-Za-z0-9/._+,:@=-]+$"));
    if (plain.match(argument).hasMatch()) {
        return argument;
    }
    QString quoted = argument;
    for (const char special : {'\\', '"', '`', '$'}) {
        quoted.replace(QLatin1Char(special), QStringLiteral("\\") + QLatin1Char(special));
    }
    return QLatin1Char('"') + quoted + QLatin1Char('"');
}
}  // namespace

StartupShortcut::StartupShortcut(QString name) : name_(std::move(name)) {}

QString StartupShortcut::FindStartupShortcut() const {
    return autostartFolder(QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation)) + name_ +
           QStringLiteral(".desktop");
}

QString StartupShortcut::systemWideEntry() const {
    QString folders = qEnvironmentVariable("XDG_CONFIG_DIRS");
    if (folders.isEmpty()) {
        folders = QStringLiteral("/etc/xdg");
    }
    for (const QString& folder : folders.split(QLatin1Char(':'), Qt::SkipEmptyParts)) {
        const QString path = autostartFolder(folder) + name_ + QStringLiteral(".desktop");
        if (QFileInfo::exists(path)) {
            return path;
        }
    }
    return {};
}

bool StartupShortcut::exists() const {
    const QString path = FindStartupShortcut();
    return QFileInfo::exists(path) && !hidesProgram(path);
}

QString StartupShortcut::execLine(const QString& target, const QString& arguments) {
    QString line = quoteArgument(target);
    if (!arguments.isEmpty()) {
        line += QLatin1Char(' ') + arguments;
    }
    // Desktop entry values escape backslashes once more, and '%' starts a field code.
    line.replace(QLatin1Char('\\'), QStringLiteral("\\\\"));
    line.replace(QLatin1Char('%'), QStringLiteral("%%"));
    return line;
}

QString StartupShortcut::failureMessage(const QString& target) {
    return QStringLiteral("Unable to create shortcut for ") + target + QLatin1Char('.');
}

bool StartupShortcut::writeEntry(const QByteArray& content) const {
    const QString path = FindStartupShortcut();
    if (!QDir().mkpath(QFileInfo(path).absolutePath())) {
        return false;
    }
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly)) {
        return false;
    }
    file.write(content);
    return file.commit();
}

QString StartupShortcut::CreateShortcut(const QString& target, const QString& arguments) {
    QByteArray content = "[Desktop Entry]\nType=Application\nName=";
    content += name_.toUtf8();
    content += "\nComment=System monitor and clock synchronisation in the notification area\nExec=";
    content += execLine(target, arguments).toUtf8();
    content += "\nIcon=quorvane\nTerminal=false\nX-GNOME-Autostart-enabled=true\n";
    if (!writeEntry(content)) {
        return failureMessage(target);
    }
    return {};
}

void StartupShortcut::RemoveStartupShortcut() {
    QFile::remove(FindStartupShortcut());
    if (!systemWideEntry().isEmpty()) {
        const QByteArray hidden =
            "[Desktop Entry]\nType=Application\nName=" + name_.toUtf8() + "\nHidden=true\n";
        writeEntry(hidden);
    }
}
