#pragma once

#include <QFont>
#include <QTimer>
#include <QWidget>
#include <functional>

class SysInfo;

// The quick display: a captionless panel at the bottom-right of the work area listing every
// selected statistic while the pointer rests on the tray icon. It never takes the focus.
class Popup : public QWidget {
    Q_OBJECT

public:
    struct Hooks {
        std::function<QString()> buildText;       // the lines, joined by CR LF
        std::function<bool()> pointerOnTrayIcon;  // the 3 s check
        std::function<QSize()> workAreaTwips;     // right and bottom edges of the work area
        std::function<int()> twipsPerPixel;
        std::function<QRect()> trayIcon;  // pixels; empty when it cannot be located
        // Pixels: where a click on a tray that keeps the icon's place to itself opened the window,
        // which then stands beside it; empty otherwise.
        std::function<QRect()> clickAnchor = {};
    };

    explicit Popup(Hooks hooks, QWidget* parent = nullptr);
    ~Popup() override;

    // Shows or re-shows the window; x and y (twips) would only anchor it beside an auto-hiding panel.
    void popUp(const QString& iMsg = QString(), int x = -1, int y = -1);
    void AdjustSize();
    void refresh();
    // The pointer rests on an icon the screen does not show (an auto-hidden panel): the window
    // stays another 3 s from now.
    void restartHideTimer();
    // Stops the timers and closes the window, which deletes it.
    void unload();
    QString text() const { return text_; }

    QTimer Timer3;  // text refresh, 900 ms
    QTimer Timer4;  // pointer check, 3000 ms

Q_SIGNALS:
    // The pointer left the icon: the owner stops its hover timers and unloads the window.
    void closeRequested();

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    int pixels(int twips) const;

    Hooks hooks_;
    QString text_;
    QFont font_;
    QSize textTwips_;
};
