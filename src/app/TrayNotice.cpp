#include "app/TrayNotice.h"

#include <QDBusMessage>
#include <QDBusPendingCallWatcher>
#include <QDBusPendingReply>

namespace {
constexpr int kShownMs = 10000;
}

TrayNotice::TrayNotice(std::function<QPoint()> anchor, QDBusConnection bus, QObject* parent)
    : QObject(parent), anchor_(std::move(anchor)), bus_(std::move(bus)) {}

TrayNotice::~TrayNotice() {
    delete balloon_;
}

void TrayNotice::show(const QString& title, const QString& text) {
    if (!bus_.isConnected()) {
        showBalloon(title, text);
        return;
    }
    const QString service = QStringLiteral("org.freedesktop.Notifications");
    QDBusMessage message = QDBusMessage::createMethodCall(
        service, QStringLiteral("/org/freedesktop/Notifications"), service, QStringLiteral("Notify"));
    message << QStringLiteral("Quorvane") << 0u << QStringLiteral("quorvane") << title << text.toHtmlEscaped()
            << QStringList() << QVariantMap{{QStringLiteral("desktop-entry"), QStringLiteral("quorvane")}}
            << kShownMs;
    auto* watcher = new QDBusPendingCallWatcher(bus_.asyncCall(message), this);
    connect(watcher, &QDBusPendingCallWatcher::finished, this,
            [this, title, text](QDBusPendingCallWatcher* call) {
                call->deleteLater();
                if (QDBusPendingReply<uint>(*call).isError()) {
                    showBalloon(title, text);
                }
            });
}

void TrayNotice::showBalloon(const QString& title, const QString& text) {
    if (!balloon_) {
        balloon_ = new Balloon;
    }
    balloon_->setTitle(title);
    balloon_->setText(text);
    balloon_->showAt(anchor_());
}
