#include "app/DisplayConnectionGuard.h"

#include <QList>
#include <QMessageLogContext>
#include <QtGlobal>
#include <cstdio>
#include <cstdlib>
#include <utility>

namespace {

struct HeldMessage {
    QtMsgType type;
    QByteArray category;
    QString text;
};

QtMessageHandler previousHandler = nullptr;
QList<HeldMessage> held;

QString variable(const char* name) {
    const QByteArray value = qgetenv(name);
    return value.isEmpty() ? QStringLiteral("%1 not set").arg(QLatin1String(name))
                           : QStringLiteral("%1=%2").arg(QLatin1String(name), QString::fromLocal8Bit(value));
}

void hold(QtMsgType type, const QMessageLogContext& context, const QString& text) {
    if (type != QtFatalMsg) {
        held.append({type, QByteArray(context.category ? context.category : ""), text});
        return;
    }
    std::fprintf(stderr, "quorvane: %s\n", qPrintable(DisplayConnectionGuard::message()));
    std::fprintf(stderr, "quorvane: (%s, %s)\n", qPrintable(variable("DISPLAY")),
                 qPrintable(variable("WAYLAND_DISPLAY")));
    for (const HeldMessage& message : std::as_const(held)) {
        if (message.category != "qt.qpa.plugin") {  // the plugin is fine; its display is missing
            std::fprintf(stderr, "quorvane:   %s\n", qPrintable(message.text));
        }
    }
    std::fflush(stderr);
    std::_Exit(1);  // the application is half made: nothing of it may run any more
}

}  // namespace

DisplayConnectionGuard::DisplayConnectionGuard() {
    held.clear();
    previousHandler = qInstallMessageHandler(hold);
}

DisplayConnectionGuard::~DisplayConnectionGuard() {
    qInstallMessageHandler(previousHandler);
    for (const HeldMessage& message : std::as_const(held)) {
        const QMessageLogContext context(nullptr, 0, nullptr, message.category.constData());
        qt_message_output(message.type, context, message.text);
    }
    held.clear();
}

QString DisplayConnectionGuard::message() {
    return QStringLiteral(
        "Quorvane needs a graphical session (X11 or Wayland) and could not open one; start it from "
        "your desktop session (--stats and --query need none)");
}
