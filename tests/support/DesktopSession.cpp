#include "support/DesktopSession.h"
#include "support/SanitizerUnwind.h"

#include <QElapsedTimer>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTest>

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

bool DesktopSession::startProgram(const QStringList& arguments) {
    program_ = std::make_unique<QProcess>();
    QProcessEnvironment environment = home_.environment();
    environment.remove(QStringLiteral("QT_QPA_PLATFORM"));
    environment.insert(variables_);
    unwindFullyUnderSanitizer(environment);
    program_->setProcessChannelMode(keepErrors_ ? QProcess::SeparateChannels
                                                : QProcess::ForwardedErrorChannel);
    errors_.clear();
    home_.start(*program_, arguments, environment);
    return program_->waitForStarted(10000);
}

bool DesktopSession::startInTray(const QByteArray& settingsSection, QString* why) {
    if (!home_.writeSettings(settingsSection)) {
        *why = QStringLiteral("cannot write the settings file ") + home_.settingsFile();
        return false;
    }
    if (!startProgram()) {
        *why = QStringLiteral("the program did not start: ") + program_->errorString();
        return false;
    }
    // The tray host embeds the icon and then lays itself out anew around it: the icon counts as
    // placed once it has stayed where it is for a moment.
    icon_ = QRect();
    QElapsedTimer unmoved;
    const auto placedOrEnded = [this, &unmoved] {
        const QRect found = trayIcon();
        if (found != icon_) {
            icon_ = found;
            unmoved.start();
        }
        return (!icon_.isEmpty() && unmoved.elapsed() >= 500) || program_->state() == QProcess::NotRunning;
    };
    if (!QTest::qWaitFor(placedOrEnded, 15000) || icon_.isEmpty()) {
        *why = program_->state() == QProcess::NotRunning
                   ? QStringLiteral("the program ended")
                   : QStringLiteral("the tray host did not embed the icon");
        return false;
    }
    return true;
}

bool DesktopSession::openTrayMenu() {
    movePointer(icon_.center());
    for (int attempt = 0; attempt < 3; ++attempt) {
        xdotool({QStringLiteral("click"), QStringLiteral("3")});
        if (QTest::qWaitFor([this] { return menuOpen(); }, 3000)) {
            return true;
        }
    }
    return false;
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

void DesktopSession::screenshot(const QString& name) {
    const QString folder = qEnvironmentVariable("QUORVANE_SCREENSHOTS");
    if (!folder.isEmpty()) {
        run(QStringLiteral("import"), {QStringLiteral("-window"), QStringLiteral("root"),
                                       folder + QLatin1Char('/') + name + QStringLiteral(".png")});
    }
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

QRect DesktopSession::trayMenu() const {
    const QString tree = run(QStringLiteral("xwininfo"), {QStringLiteral("-root"), QStringLiteral("-tree")});
    static const QRegularExpression line(QStringLiteral(
        R"RE(^\s*(0x[0-9a-f]+) "Quorvane": \("quorvane" "Quorvane"\)\s+(\d+)x(\d+)\+-?\d+\+-?\d+\s+\+(-?\d+)\+(-?\d+))RE"));
    for (const QString& text : tree.split(QLatin1Char('\n'))) {
        const QRegularExpressionMatch match = line.match(text);
        if (match.hasMatch() && match.captured(2).toInt() >= 100 &&
            run(QStringLiteral("xwininfo"), {QStringLiteral("-id"), match.captured(1)})
                .contains(QLatin1String("IsViewable"))) {
            return QRect(match.captured(4).toInt(), match.captured(5).toInt(), match.captured(2).toInt(),
                         match.captured(3).toInt());
        }
    }
    return {};
}

bool DesktopSession::menuOpen() const {
    return !trayMenu().isEmpty();
}

void DesktopSession::clickLastMenuItem() {
    // Keys would race the menu's keyboard grab, and the pointer resting on the icon may already
    // hover another item: a click on the item itself does neither.
    const QRect menu = trayMenu();
    movePointer(QPoint(menu.center().x(), menu.bottom() - 8));
    xdotool({QStringLiteral("click"), QStringLiteral("1")});
}

QRect DesktopSession::trayIcon() const {
    const QString tree = run(QStringLiteral("xwininfo"), {QStringLiteral("-root"), QStringLiteral("-tree")});
    static const QRegularExpression line(QStringLiteral(
        R"RE("Quorvane": \("quorvane" "Quorvane"\)\s+(\d+)x(\d+)\+-?\d+\+-?\d+\s+\+(-?\d+)\+(-?\d+))RE"));
    for (const QString& text : tree.split(QLatin1Char('\n'))) {
        const QRegularExpressionMatch match = line.match(text);
        // The embedded icon is the small one, whatever its shape: a tray host may give it a rectangle
        // (trayer 28 px high gives 22x26). The hidden windows of the program are 1x1, its menu is wider.
        const int width = match.captured(1).toInt();
        const int height = match.captured(2).toInt();
        if (match.hasMatch() && width >= 8 && height >= 8 && width < 100 && height < 100) {
            return QRect(match.captured(3).toInt(), match.captured(4).toInt(), match.captured(1).toInt(),
                         match.captured(2).toInt());
        }
    }
    return {};
}
