#include "app/TrayIcon.h"

#include "app/AppIcon.h"
#include "platform/StatusNotifierHost.h"
#include "widgets/WindowHelpers.h"

#include <QApplication>
#include <QCursor>
#include <QEvent>
#include <QScreen>

namespace {
constexpr int kClickAnchorSide = 24;  // a panel icon's size around the click on a D-Bus tray
}

TrayIcon::TrayIcon(Menu& menu, TrayCommands::Host& windows, TrayHover::Host& popup,
                   std::function<QString()> popupText, QObject* parent)
    : QObject(parent),
      menu_(menu),
      commands_(menu, windows),
      popup_(popup),
      toolTip_(QStringLiteral(" Quorvane"),
               TrayToolTip::Hooks{[this] { return menu_.menuState().mnuQuickDisplay.checked; },
                                  [popupText] { return popupText ? popupText() : QString(); },
                                  [this](const QString& text) { tray_.setToolTip(text); }}),
      notice_([this] {
          const QRect anchor = popupAnchor();
          return anchor.isEmpty() ? geometry().topLeft() : QPoint(anchor.center().x(), anchor.top());
      }) {
    hover_ = std::make_unique<TrayHover>(
        menu_.menuState(), menu_.facts().wow64OrVista, popup,
        TrayHover::Screen{[this] { return geometry(); }, [] { return QCursor::pos(); },
                          [] {
                              const QScreen* screen = QGuiApplication::primaryScreen();
                              return screen ? screen->geometry().height() : 0;
                          }});
    menuTray_.setObjectName(QStringLiteral("MenuTray"));
    buildMenu();
    tray_.setIcon(AppIcon::icon());
    tray_.setContextMenu(&menuTray_);
    connect(&tray_, &QSystemTrayIcon::activated, this, &TrayIcon::onActivated);
    // The menu opens on the right button (the tray host or Qt shows it).
    connect(&menuTray_, &QMenu::aboutToShow, this, [this] { hover_->rightButtonUp([this] { syncMenu(); }); });
    connect(&menu_.generalOptions(), &GeneralOptions::changed, this, [this](GeneralOption option, bool on) {
        if (option == GeneralOption::QuickDisplay && !on) {
            hover_->stop();
        }
        if (option == GeneralOption::QuickDisplay && statusNotifier_) {
            toolTip_.refresh();
        }
    });
}

TrayIcon::~TrayIcon() {
    tray_.hide();
}

void TrayIcon::setIconImage(const QImage& image) {
    if (embedded_) {
        embedded_->setImage(image);
    } else {
        tray_.setIcon(QIcon(QPixmap::fromImage(image)));
    }
}

void TrayIcon::showMessage(const QString& title, const QString& text) {
    if (!statusNotifier_ && !embedded_) {
        tray_.showMessage(title, text);
    } else {
        notice_.show(title, text);
    }
}

QAction* TrayIcon::addItem(QMenu& menu, MenuItemState TrayMenuState::*state, const char* name,
                           const QString& caption, std::function<void()> command) {
    QAction* action = menu.addAction(caption);
    action->setObjectName(QString::fromLatin1(name));
    stateOf_[action] = state;
    connect(action, &QAction::triggered, this, [command = std::move(command)] { command(); });
    return action;
}

QAction* TrayIcon::addToggle(QMenu& menu, GeneralOption option) {
    const GeneralOptions::Row& row = GeneralOptions::row(option);
    QAction* action = addItem(menu, row.item, row.itemName, QString::fromUtf8(row.caption), [this, option] {
        commands_.toggle(option);
        syncMenu();
    });
    action->setCheckable(true);
    return action;
}

void TrayIcon::buildMenu() {
    using S = TrayMenuState;
    addItem(menuTray_, &S::mnuDisplay, "mnuDisplay", QStringLiteral("Show System Monitor"),
            [this] { commands_.mnuDisplay_Click(); });
    addItem(menuTray_, &S::mnuMonitor, "mnuMonitor", QStringLiteral("Monitor for Threshold Violations?"),
            [this] {
                commands_.mnuMonitor_Click();
                syncMenu();
            })
        ->setCheckable(true);

    mainOptions_.setTitle(QStringLiteral("Quorvane Options"));
    mainOptions_.menuAction()->setObjectName(QStringLiteral("mnuMainOptions"));
    menuTray_.addMenu(&mainOptions_);
    for (const GeneralOption option :
         {GeneralOption::Startup, GeneralOption::Splash, GeneralOption::UpdateCheckAtStart,
          GeneralOption::StartupMonitor, GeneralOption::OnTop, GeneralOption::Transparent,
          GeneralOption::Hotkey, GeneralOption::MonitorBalloon, GeneralOption::QuickDisplay,
          GeneralOption::ExitPrompt}) {
        addToggle(mainOptions_, option);
    }
    mainOptions_.addSeparator()->setObjectName(QStringLiteral("NewLine"));
    addItem(mainOptions_, &S::mnuOptions, "mnuOptions", QStringLiteral("Define Main Options"),
            [this] { commands_.showOptionsPage(0); });
    addItem(mainOptions_, &S::mnuItems, "mnuItems", QStringLiteral("Select Items to Monitor"),
            [this] { commands_.showOptionsPage(1); });

    menuTray_.addSeparator()->setObjectName(QStringLiteral("Separator2"));
    addItem(menuTray_, &S::mnuTimeServer, "mnuTimeServer", QStringLiteral("Select Time Server"),
            [this] { commands_.showOptionsPage(3); });
    addItem(menuTray_, &S::mnuSync, "mnuSync", QStringLiteral("Synchronize Clock Now"),
            [this] { commands_.mnuSync_Click(); });
    addToggle(menuTray_, GeneralOption::SyncAtStart);
    menuTray_.addSeparator()->setObjectName(QStringLiteral("Separator"));
    addItem(menuTray_, &S::mnuVersion, "mnuVersion", QStringLiteral("Check for new version"),
            [this] { commands_.mnuVersion_Click(); });
    addItem(menuTray_, &S::mnuAbout, "mnuAbout", QStringLiteral("About Quorvane"),
            [this] { commands_.mnuAbout_Click(); });
    addItem(menuTray_, &S::mnuExit, "mnuExit", QStringLiteral("Exit"), [this] { menu_.mnuExit_Click(); });
}

QAction* TrayIcon::action(const QString& objectName) const {
    for (const auto& [action, state] : stateOf_) {
        if (action->objectName() == objectName) {
            return action;
        }
    }
    return nullptr;
}

void TrayIcon::syncMenu() {
    TrayMenuState& states = menu_.menuState();
    for (const auto& [action, state] : stateOf_) {
        const MenuItemState& item = states.*state;
        action->setEnabled(item.enabled);
        if (action->isCheckable()) {
            action->setChecked(item.checked);
        }
    }
}

void TrayIcon::AddTrayIcon(const QString& tooltip, TrayKind kind) {
    syncMenu();
    const bool ownIcon = kind == TrayKind::XEmbed ||
                         (kind == TrayKind::Auto && xembedTrayPresent() && statusNotifierWatcherPresent());
    if (ownIcon) {
        embedded_ = createEmbeddedTrayIcon();
    }
    if (embedded_) {
        embedded_->setImage(AppIcon::pixmap(64).toImage());
        connectEmbedded();
        embedded_->show();
        return;
    }
    // Qt hands its icon to a D-Bus tray whenever a watcher is on the session bus.
    statusNotifier_ = statusNotifierWatcherPresent();
    tray_.setToolTip(tooltip);
    tray_.show();
    if (statusNotifier_) {
        toolTip_.start();
    } else {
        qApp->installEventFilter(this);
    }
}

void TrayIcon::connectEmbedded() {
    connect(embedded_.get(), &EmbeddedTrayIcon::pointerMoved, this, [this] {
        if (!menuTray_.isVisible()) {
            hover_->hoverStart();
        }
    });
    connect(embedded_.get(), &EmbeddedTrayIcon::released, this, [this](Qt::MouseButton button, QPoint at) {
        if (button == Qt::RightButton) {
            hover_->rightButtonUp([this, at] {
                syncMenu();
                menuTray_.popup(at);
            });
        } else if (button == Qt::LeftButton) {
            hover_->leftButtonUp();
        }
    });
    connect(embedded_.get(), &EmbeddedTrayIcon::doubleClicked, this,
            [this] { hover_->leftDoubleClick([this] { commands_.mnuDisplay_Click(); }); });
}

void TrayIcon::RemoveTrayIcon() {
    hover_->stop();
    toolTip_.stop();
    if (embedded_) {
        embedded_->hide();
    }
    tray_.hide();
}

bool TrayIcon::contains(QPoint position) const {
    return LocateTrayIcon(embedded_ ? embedded_->geometry() : tray_.geometry()).contains(position);
}

QRect TrayIcon::geometry() const {
    return LocateTrayIcon(embedded_ ? embedded_->geometry() : tray_.geometry()).toQRect();
}

QRect TrayIcon::popupAnchor() const {
    if (!statusNotifier_) {
        return geometry();
    }
    if (!clickedAt_) {
        return {};
    }
    const QPoint corner(kClickAnchorSide / 2, kClickAnchorSide / 2);
    return QRect(*clickedAt_ - corner, QSize(kClickAnchorSide, kClickAnchorSide));
}

bool TrayIcon::eventFilter(QObject* watched, QEvent* event) {
    // On X11 trays Qt embeds a small widget of its own for the icon, made whenever a tray host
    // appears: its pointer events start hover tracking. Trays spoken to over D-Bus give none.
    const QEvent::Type type = event->type();
    if (type == QEvent::ToolTip && popup_.popupShown() && watched->isWidgetType() &&
        qstrcmp(watched->metaObject()->className(), "QSystemTrayIconSys") == 0) {
        return true;  // the pop-up shows all the tooltip would, where it would
    }
    if ((type == QEvent::Enter || type == QEvent::MouseMove) && watched->isWidgetType() &&
        !menuTray_.isVisible() && qstrcmp(watched->metaObject()->className(), "QSystemTrayIconSys") == 0) {
        auto* iconWindow = static_cast<QWidget*>(watched);
        if (!iconWindow->hasMouseTracking()) {
            iconWindow->setMouseTracking(true);
        }
        hover_->hoverStart();
    }
    return QObject::eventFilter(watched, event);
}

void TrayIcon::onActivated(QSystemTrayIcon::ActivationReason reason) {
    if (statusNotifier_) {
        // A D-Bus tray sends clicks only: a click (Activate) opens the pop-up beside the pointer, or
        // closes it; the middle button (SecondaryActivate) opens the monitor window. Only X11 tells
        // where the pointer is.
        if (reason == QSystemTrayIcon::Trigger) {
            clickedAt_ = QGuiApplication::platformName() == QLatin1String("xcb")
                             ? std::optional<QPoint>(QCursor::pos())
                             : std::nullopt;
            hover_->clickOpens();
        } else if (reason == QSystemTrayIcon::MiddleClick || reason == QSystemTrayIcon::DoubleClick) {
            hover_->leftDoubleClick([this] { commands_.mnuDisplay_Click(); });
        }
        return;
    }
    switch (reason) {
        case QSystemTrayIcon::DoubleClick:
            hover_->leftDoubleClick([this] { commands_.mnuDisplay_Click(); });
            break;
        case QSystemTrayIcon::Trigger:
        case QSystemTrayIcon::MiddleClick:
            hover_->leftButtonUp();
            break;
        default:
            break;
    }
}
