#pragma once

#include <QImage>
#include <QObject>
#include <QPoint>
#include <QRect>
#include <memory>

// A tray icon of the program's own in an X11 system tray (the XEmbed kind): a small window the
// tray takes in. It reports where it is and what the pointer does on it, which trays spoken to
// over D-Bus keep to themselves.
class EmbeddedTrayIcon : public QObject {
    Q_OBJECT

public:
    using QObject::QObject;

    virtual void setImage(const QImage& image) = 0;
    // Asks the tray to take the icon in; false when the tray has gone meanwhile.
    virtual bool show() = 0;
    virtual void hide() = 0;
    // Screen pixels; empty while the tray has not taken the icon in.
    virtual QRect geometry() const = 0;

Q_SIGNALS:
    void pointerMoved(QPoint global);
    void released(Qt::MouseButton button, QPoint global);
    void doubleClicked(QPoint global);
};

// Whether an X11 system tray (the owner of _NET_SYSTEM_TRAY_S<screen>) runs on the display.
bool xembedTrayPresent();
// The icon, or null where the session has no X11 system tray.
std::unique_ptr<EmbeddedTrayIcon> createEmbeddedTrayIcon(QObject* parent = nullptr);
