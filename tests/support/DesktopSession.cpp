#include "support/DesktopSession.h"

#include <QDir>
#include <QFile>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTemporaryDir>

namespace {
QTemporaryDir& sessionFolder() {
    static QTemporaryDir folder;
    return folder;
}
}  // namespace

DesktopSession::DesktopSession() : home_(sessionFolder().path()) {
    QDir(home_).mkpath(QStringLiteral("config/Quorvane"));
    QDir(home_).mkpath(QStringLiteral("runtime"));
    QFile::setPermissions(home_ + QStringLiteral("/runtime"),
                          QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
}

DesktopSession::~DesktopSession() {
    stopProgram();
}

bool DesktopSession::available(QString* why) const {
    if (qEnvironmentVariableIsEmpty("DISPLAY")) {
        *why = QStringLiteral("no X display (scripts/test starts Xvfb with a tray host)");
        return false;
    }
    for (const char* tool : {"xdotool", "xwininfo"}) {
        if (QStandardPaths::findExecutable(QString::fromLatin1(tool)).isEmpty()) {
            *why = QStringLiteral("%1 is not installed").arg(QString::fromLatin1(tool));
            return false;
        }
    }
    return true;
}

QString DesktopSession::configFile() const {
    return home_ + QStringLiteral("/config/Quorvane/Quorvane.conf");
}

void DesktopSession::writeSettings(const QByteArray& settingsSection) {
    QFile file(configFile());
    if (file.open(QIODevice::WriteOnly | QIODevice::Truncate)) {
        file.write("[Settings]\n" + settingsSection);
    }
}

QString DesktopSession::settings() const {
    QFile file(configFile());
    return file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()) : QString();
}

bool DesktopSession::startProgram(const QStringList& arguments) {
    program_ = std::make_unique<QProcess>();
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.remove(QStringLiteral("QT_QPA_PLATFORM"));
    env.insert(QStringLiteral("XDG_CONFIG_HOME"), home_ + QStringLiteral("/config"));
    env.insert(QStringLiteral("XDG_RUNTIME_DIR"), home_ + QStringLiteral("/runtime"));
    env.insert(QStringLiteral("DBUS_SESSION_BUS_ADDRESS"), QStringLiteral("disabled:"));
    program_->setProcessEnvironment(env);
    program_->setProcessChannelMode(keepErrors_ ? QProcess::SeparateChannels
                                                : QProcess::ForwardedErrorChannel);
    errors_.clear();
    program_->start(QStringLiteral(QUORVANE_BINARY), QStringList{QStringLiteral("--dry-run")} + arguments);
    return program_->waitForStarted(10000);
}

QString DesktopSession::errorOutput() {
    if (program_) {
        errors_ += QString::fromLocal8Bit(program_->readAllStandardError());
    }
    return errors_;
}

void DesktopSession::stopProgram() {
    if (program_ && program_->state() != QProcess::NotRunning) {
        program_->terminate();
        if (!program_->waitForFinished(5000)) {
            program_->kill();
            program_->waitForFinished(5000);
        }
    }
}

QString DesktopSession::run(const QString& program, const QStringList& arguments) {
    QProcess process;
    process.start(program, arguments);
    process.waitForFinished(10000);
    return QString::fromUtf8(process.readAllStandardOutput());
}

void DesktopSession::xdotool(const QStringList& arguments) {
    run(QStringLiteral("xdotool"), arguments);
}

void DesktopSession::movePointer(QPoint at) {
    xdotool({QStringLiteral("mousemove"), QString::number(at.x()), QString::number(at.y())});
}

QRect DesktopSession::window(const QString& name) const {
    // xwininfo -tree lines end in "WxH+x+y  +absX+absY"; only mapped windows are listed with -root.
    const QString tree = run(QStringLiteral("xwininfo"), {QStringLiteral("-root"), QStringLiteral("-tree")});
    static const QRegularExpression line(
        QStringLiteral(R"RE("([^"]*)".*\s(\d+)x(\d+)\+-?\d+\+-?\d+\s+\+(-?\d+)\+(-?\d+))RE"));
    for (const QString& text : tree.split(QLatin1Char('\n'))) {
        const QRegularExpressionMatch match = line.match(text);
        if (match.hasMatch() && match.captured(1) == name) {
            const QRect found(match.captured(4).toInt(), match.captured(5).toInt(), match.captured(2).toInt(),
                              match.captured(3).toInt());
            const QString id = text.trimmed().section(QLatin1Char(' '), 0, 0);
            const QString state = run(QStringLiteral("xwininfo"), {QStringLiteral("-id"), id});
            if (state.contains(QLatin1String("IsViewable"))) {
                return found;
            }
        }
    }
    return {};
}

bool DesktopSession::menuOpen() const {
    const QString tree = run(QStringLiteral("xwininfo"), {QStringLiteral("-root"), QStringLiteral("-tree")});
    static const QRegularExpression line(
        QStringLiteral(R"RE(^\s*(0x[0-9a-f]+) "Quorvane": \("quorvane" "Quorvane"\)\s+(\d+)x(\d+)\+)RE"));
    for (const QString& text : tree.split(QLatin1Char('\n'))) {
        const QRegularExpressionMatch match = line.match(text);
        if (match.hasMatch() && match.captured(2).toInt() >= 100 &&
            run(QStringLiteral("xwininfo"), {QStringLiteral("-id"), match.captured(1)})
                .contains(QLatin1String("IsViewable"))) {
            return true;
        }
    }
    return false;
}

QRect DesktopSession::trayIcon() const {
    const QString tree = run(QStringLiteral("xwininfo"), {QStringLiteral("-root"), QStringLiteral("-tree")});
    static const QRegularExpression line(QStringLiteral(
        R"RE("Quorvane": \("quorvane" "Quorvane"\)\s+(\d+)x(\d+)\+-?\d+\+-?\d+\s+\+(-?\d+)\+(-?\d+))RE"));
    for (const QString& text : tree.split(QLatin1Char('\n'))) {
        const QRegularExpressionMatch match = line.match(text);
        // The embedded icon is the small square one; the hidden windows of the program are 1x1.
        if (match.hasMatch() && match.captured(1).toInt() >= 16 && match.captured(1) == match.captured(2)) {
            return QRect(match.captured(3).toInt(), match.captured(4).toInt(), match.captured(1).toInt(),
                         match.captured(2).toInt());
        }
    }
    return {};
}
