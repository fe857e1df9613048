#pragma once

#include "widgets/Balloon.h"

#include <QDBusConnection>
#include <QObject>
#include <QPointer>
#include <functional>

// A message for the user from the tray (the hotkey that cannot be had, an update notice) where the
// tray itself shows none: a desktop notification, or, when no notification service takes it, a
// balloon at the icon. Never the icon's tooltip, which holds the values.
class TrayNotice : public QObject {
    Q_OBJECT

public:
    // `anchor`: the screen point the balloon points at (the icon, or the work area's corner).
    explicit TrayNotice(std::function<QPoint()> anchor, QDBusConnection bus = QDBusConnection::sessionBus(),
                        QObject* parent = nullptr);
    ~TrayNotice() override;

    void show(const QString& title, const QString& text);
    Balloon* balloon() const { return balloon_; }

private:
    void showBalloon(const QString& title, const QString& text);

    std::function<QPoint()> anchor_;
    QDBusConnection bus_;
    QPointer<Balloon> balloon_;
};
