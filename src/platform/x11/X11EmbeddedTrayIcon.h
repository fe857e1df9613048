#pragma once

#include "platform/EmbeddedTrayIcon.h"

#include <QRasterWindow>
#include <QTimer>

// The icon window the X11 system tray takes in (freedesktop system tray protocol over xcb). Qt's
// window carries the _XEMBED_INFO the tray reads; this class asks the tray's selection owner to
// dock it and paints the image on the panel's own colour.
class X11EmbeddedTrayIcon : public EmbeddedTrayIcon {
    Q_OBJECT

public:
    explicit X11EmbeddedTrayIcon(QObject* parent = nullptr);
    ~X11EmbeddedTrayIcon() override;

    void setImage(const QImage& image) override;
    bool show() override;
    void hide() override;
    QRect geometry() const override;

private:
    bool embedded() const;
    void showWhenEmbedded();

    class IconWindow;
    std::unique_ptr<IconWindow> window_;
    QTimer embedWatch_;  // until the tray has taken the icon in
    int embedWaits_ = 0;
};
