#pragma once

#include "app/FollowingTimer.h"

#include <QObject>
#include <QString>
#include <functional>

// The tray icon's tooltip where the tray shows no hover pop-up (a tray spoken to over D-Bus): the
// title, then the pop-up's lines, kept current. The host reads it when the pointer rests on the
// icon, so it is sent again only when a value has changed.
class TrayToolTip : public QObject {
    Q_OBJECT

public:
    struct Hooks {
        std::function<bool()> wanted;              // the pop-up's values are to be shown at all
        std::function<QString()> lines;            // the pop-up's text, lines joined by CR LF
        std::function<void(const QString&)> send;  // gives the tray the new tooltip
    };

    TrayToolTip(QString title, Hooks hooks, QObject* parent = nullptr);

    void start();
    void stop();
    void refresh();
    QString text() const { return sent_; }

    FollowingTimer Timer{900, [this] { refresh(); }};  // the pop-up's own rhythm

private:
    QString title_;
    Hooks hooks_;
    QString sent_;
};
