#include "platform/x11/X11EmbeddedTrayIcon.h"

// Qt's headers first: the X headers define macros that Qt's headers use as names.
#include <QGuiApplication>
#include <QMouseEvent>
#include <QPainter>

#include <xcb/xcb.h>

#include <cstdlib>

namespace {
constexpr uint32_t kRequestDock = 0;
constexpr int kIconSize = 22;
constexpr int kEmbedWaits = 50;  // 5 s for the tray to take the icon in

xcb_connection_t* connection() {
    if (QGuiApplication::platformName() != QLatin1String("xcb")) {
        return nullptr;
    }
    auto* x11 = qGuiApp ? qGuiApp->nativeInterface<QNativeInterface::QX11Application>() : nullptr;
    return x11 ? x11->connection() : nullptr;
}

xcb_atom_t atom(xcb_connection_t* c, const QByteArray& name) {
    xcb_intern_atom_reply_t* reply =
        xcb_intern_atom_reply(c, xcb_intern_atom(c, 0, uint16_t(name.size()), name.constData()), nullptr);
    const xcb_atom_t found = reply ? reply->atom : xcb_atom_t(XCB_ATOM_NONE);
    std::free(reply);
    return found;
}

xcb_screen_t* defaultScreen(xcb_connection_t* c) {
    return xcb_setup_roots_iterator(xcb_get_setup(c)).data;
}

// The tray of the first screen: the owner of its _NET_SYSTEM_TRAY_S0 selection, or none.
xcb_window_t trayOwner(xcb_connection_t* c) {
    const xcb_atom_t selection = atom(c, "_NET_SYSTEM_TRAY_S0");
    if (selection == XCB_ATOM_NONE) {
        return XCB_WINDOW_NONE;
    }
    xcb_get_selection_owner_reply_t* reply =
        xcb_get_selection_owner_reply(c, xcb_get_selection_owner(c, selection), nullptr);
    const xcb_window_t owner = reply ? reply->owner : xcb_window_t(XCB_WINDOW_NONE);
    std::free(reply);
    return owner;
}

// The colour on the screen at a point (the panel beside the icon), read from the root window.
QColor screenColour(xcb_connection_t* c, QPoint at) {
    xcb_screen_t* screen = defaultScreen(c);
    if (at.x() < 0 || at.y() < 0 || at.x() >= screen->width_in_pixels || at.y() >= screen->height_in_pixels) {
        return {};
    }
    xcb_get_image_reply_t* reply =
        xcb_get_image_reply(c,
                            xcb_get_image(c, XCB_IMAGE_FORMAT_Z_PIXMAP, screen->root, int16_t(at.x()),
                                          int16_t(at.y()), 1, 1, ~0u),
                            nullptr);
    QColor colour;
    if (reply != nullptr && reply->depth >= 24 && xcb_get_image_data_length(reply) >= 4) {
        const uint8_t* pixel = xcb_get_image_data(reply);
        colour = QColor(pixel[2], pixel[1], pixel[0]);  // 32 bits per pixel, BGRX in memory
    }
    std::free(reply);
    return colour;
}
}  // namespace

bool xembedTrayPresent() {
    xcb_connection_t* c = connection();
    return c != nullptr && trayOwner(c) != XCB_WINDOW_NONE;
}

std::unique_ptr<EmbeddedTrayIcon> createEmbeddedTrayIcon(QObject* parent) {
    if (!xembedTrayPresent()) {
        return nullptr;
    }
    return std::make_unique<X11EmbeddedTrayIcon>(parent);
}

class X11EmbeddedTrayIcon::IconWindow : public QRasterWindow {
public:
    explicit IconWindow(X11EmbeddedTrayIcon& owner) : owner_(owner) {
        // A plain window: it is mapped only once inside the tray, where no window manager sees it.
        setFlags(Qt::Window | Qt::FramelessWindowHint);
        setTitle(QStringLiteral("Quorvane"));
        // The tray sizes its place for the icon from the window's size hints: without a minimum
        // it takes the icon for one not ready to be shown.
        setMinimumSize(QSize(kIconSize, kIconSize));
        setBaseSize(QSize(kIconSize, kIconSize));
        resize(kIconSize, kIconSize);
    }

    QImage image;
    QColor background;

protected:
    void paintEvent(QPaintEvent*) override {
        QPainter painter(this);
        if (!background.isValid()) {
            // The panel's colour just left of the icon: the tray window under it has no content
            // of its own to blend with.
            const QPoint topLeft = mapToGlobal(QPoint(0, 0));
            background = screenColour(connection(), topLeft + QPoint(-1, height() / 2));
        }
        painter.fillRect(QRect(QPoint(0, 0), size()), background.isValid() ? background : QColor(Qt::black));
        if (!image.isNull()) {
            const QSize side = image.size().scaled(size(), Qt::KeepAspectRatio);
            const QRect place(QPoint((width() - side.width()) / 2, (height() - side.height()) / 2), side);
            painter.setRenderHint(QPainter::SmoothPixmapTransform);
            painter.drawImage(place, image);
        }
    }
    void mouseMoveEvent(QMouseEvent* event) override {
        Q_EMIT owner_.pointerMoved(event->globalPosition().toPoint());
    }
    bool event(QEvent* event) override {
        if (event->type() == QEvent::Enter) {
            Q_EMIT owner_.pointerMoved(mapToGlobal(static_cast<QEnterEvent*>(event)->position().toPoint()));
        }
        return QRasterWindow::event(event);
    }
    void mouseReleaseEvent(QMouseEvent* event) override {
        Q_EMIT owner_.released(event->button(), event->globalPosition().toPoint());
    }
    void mouseDoubleClickEvent(QMouseEvent* event) override {
        if (event->button() == Qt::LeftButton) {
            Q_EMIT owner_.doubleClicked(event->globalPosition().toPoint());
        }
    }
    void resizeEvent(QResizeEvent*) override { background = QColor(); }

private:
    X11EmbeddedTrayIcon& owner_;
};

X11EmbeddedTrayIcon::X11EmbeddedTrayIcon(QObject* parent)
    : EmbeddedTrayIcon(parent), window_(std::make_unique<IconWindow>(*this)) {
    embedWatch_.setInterval(100);
    connect(&embedWatch_, &QTimer::timeout, this, &X11EmbeddedTrayIcon::showWhenEmbedded);
}

X11EmbeddedTrayIcon::~X11EmbeddedTrayIcon() = default;

void X11EmbeddedTrayIcon::setImage(const QImage& image) {
    window_->image = image;
    window_->update();
}

bool X11EmbeddedTrayIcon::show() {
    xcb_connection_t* c = connection();
    const xcb_window_t tray = c ? trayOwner(c) : xcb_window_t(XCB_WINDOW_NONE);
    if (tray == XCB_WINDOW_NONE) {
        return false;
    }
    window_->create();  // Qt gives every window the _XEMBED_INFO a tray reads
    xcb_client_message_event_t request{};
    request.response_type = XCB_CLIENT_MESSAGE;
    request.format = 32;
    request.window = tray;
    request.type = atom(c, "_NET_SYSTEM_TRAY_OPCODE");
    request.data.data32[0] = XCB_CURRENT_TIME;
    request.data.data32[1] = kRequestDock;
    request.data.data32[2] = xcb_window_t(window_->winId());
    xcb_send_event(c, 0, tray, XCB_EVENT_MASK_NO_EVENT, reinterpret_cast<const char*>(&request));
    xcb_flush(c);
    embedWaits_ = 0;
    embedWatch_.start();
    return true;
}

bool X11EmbeddedTrayIcon::embedded() const {
    xcb_connection_t* c = connection();
    if (c == nullptr || window_->handle() == nullptr) {
        return false;
    }
    xcb_query_tree_reply_t* tree =
        xcb_query_tree_reply(c, xcb_query_tree(c, xcb_window_t(window_->winId())), nullptr);
    const bool inside = tree != nullptr && tree->parent != tree->root;
    std::free(tree);
    return inside;
}

void X11EmbeddedTrayIcon::showWhenEmbedded() {
    // Mapped only once inside the tray: mapped before, the tray's own window would see it unmapped
    // by the move and keep no place for it.
    if (!embedded() && ++embedWaits_ < kEmbedWaits) {
        return;
    }
    embedWatch_.stop();
    if (embedded()) {
        window_->show();
    }
}

void X11EmbeddedTrayIcon::hide() {
    embedWatch_.stop();
    window_->hide();
    window_->destroy();  // the tray lets go of a window that is gone
}

QRect X11EmbeddedTrayIcon::geometry() const {
    xcb_connection_t* c = connection();
    if (c == nullptr || !window_->isVisible() || !embedded()) {
        return {};  // not taken in (yet): it is nowhere a user can see it
    }
    const xcb_window_t self = xcb_window_t(window_->winId());
    const xcb_window_t root = defaultScreen(c)->root;
    xcb_translate_coordinates_reply_t* at =
        xcb_translate_coordinates_reply(c, xcb_translate_coordinates(c, self, root, 0, 0), nullptr);
    xcb_get_geometry_reply_t* size = xcb_get_geometry_reply(c, xcb_get_geometry(c, self), nullptr);
    QRect place;
    if (at != nullptr && size != nullptr) {
        place = QRect(at->dst_x, at->dst_y, size->width, size->height);
    }
    std::free(at);
    std::free(size);
    return place;
}
