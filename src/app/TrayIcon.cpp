#include "app/TrayIcon.h"

#include "app/AppIcon.h"
#include "widgets/WindowHelpers.h"

#include <QApplication>
#include <QCursor>
#include <QEvent>
#include <QScreen>

TrayIcon::TrayIcon(Menu& menu, MenuServices& services, QObject* parent)
    : QObject(parent), menu_(menu), services_(services), commands_(menu, services) {
    hover_ = std::make_unique<TrayHover>(
        menu_, services_,
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
}

TrayIcon::~TrayIcon() {
    tray_.hide();
}

QAction* TrayIcon::addItem(QMenu& menu, MenuItemState TrayMenuState::*state, const char* name,
                           const QString& caption, std::function<void()> command) {
    QAction* action = menu.addAction(caption);
    action->setObjectName(QString::fromLatin1(name));
    stateOf_[action] = state;
    connect(action, &QAction::triggered, this, [command = std::move(command)] { command(); });
    return action;
}

QAction* TrayIcon::addToggle(QMenu& menu, MenuItemState TrayMenuState::*state, const char* name,
                             const QString& caption, TrayToggle toggle) {
    QAction* action = addItem(menu, state, name, caption, [this, toggle] {
        commands_.toggle(toggle);
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
    addToggle(mainOptions_, &S::mnuStartup, "mnuStartup", QStringLiteral("Run program at log-in?"),
              TrayToggle::mnuStartup);
    addToggle(mainOptions_, &S::mnuSplash, "mnuSplash",
              QStringLiteral("Display splash screen during program StartUp?"), TrayToggle::mnuSplash);
    addToggle(mainOptions_, &S::mnuUpdateCheckAtStart, "mnuUpdateCheckAtStart",
              QStringLiteral("Automatically (daily) check for program updates?"),
              TrayToggle::mnuUpdateCheckAtStart);
    addToggle(mainOptions_, &S::mnuStartupMonitor, "mnuStartupMonitor",
              QStringLiteral("Show system monitor after program StartUp?"), TrayToggle::mnuStartupMonitor);
    addToggle(mainOptions_, &S::mnuOnTop, "mnuOnTop",
              QStringLiteral("Show system monitor on top of other windows?"), TrayToggle::mnuOnTop);
    addToggle(mainOptions_, &S::mnuTransparent, "mnuTransparent",
              QStringLiteral("Show system monitor as transparent?"), TrayToggle::mnuTransparent);
    addToggle(mainOptions_, &S::mnuHotkey, "mnuHotkey",
              QStringLiteral("Use hotkey (Ctrl+Shift+C) to show/hide system monitor?"),
              TrayToggle::mnuHotkey);
    addToggle(mainOptions_, &S::mnuMonitorBalloon, "mnuMonitorBalloon",
              QStringLiteral("Show \"popup\" information about system-monitor display items?"),
              TrayToggle::mnuMonitorBalloon);
    addToggle(mainOptions_, &S::mnuQuickDisplay, "mnuQuickDisplay",
              QStringLiteral("Show \"popup\" monitor when mouse is over the Tray icon?"),
              TrayToggle::mnuQuickDisplay);
    addToggle(mainOptions_, &S::mnuExitPrompt, "mnuExitPrompt",
              QStringLiteral("Display exit prompt when closing program?"), TrayToggle::mnuExitPrompt);
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
    addToggle(menuTray_, &S::mnuSyncAtStart, "mnuSyncAtStart",
              QStringLiteral("Synchronize Clock When Program Starts?"), TrayToggle::mnuSyncAtStart);
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

void TrayIcon::AddTrayIcon(const QString& tooltip) {
    tray_.setToolTip(tooltip);
    syncMenu();
    tray_.show();
    qApp->installEventFilter(this);
}

void TrayIcon::RemoveTrayIcon() {
    tray_.hide();
}

bool TrayIcon::contains(QPoint position) const {
    return LocateTrayIcon(tray_.geometry()).contains(position);
}

QRect TrayIcon::geometry() const {
    return LocateTrayIcon(tray_.geometry()).toQRect();
}

bool TrayIcon::eventFilter(QObject* watched, QEvent* event) {
    // On X11 trays Qt embeds a small widget of its own for the icon, made whenever a tray host
    // appears: its pointer events start hover tracking. Trays spoken to over D-Bus give none.
    const QEvent::Type type = event->type();
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
