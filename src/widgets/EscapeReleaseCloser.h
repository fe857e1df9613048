#pragma once

#include <QObject>
#include <functional>

class QWidget;

// Ends a window on Escape as all of the program's windows do: the press is swallowed and the
// release closes, so neither half of the key reaches the window that comes up beneath. Only a
// release that follows a press this window saw closes it: the release left over when Escape
// closed another window (a message box, a menu) does nothing here. The press is watched on the
// window itself, so a child that takes Escape for its own use keeps it; the release is caught
// wherever it lands in the window, as a text box keeps key releases to itself.
class EscapeReleaseCloser : public QObject {
    Q_OBJECT

public:
    // Whether the releases of a held-down Escape close too, or only the final one.
    enum class Repeats { Ignored, Close };

    // `close` ends the window; without one, the window's close().
    explicit EscapeReleaseCloser(QWidget* window, Repeats repeats = Repeats::Ignored,
                                 std::function<void()> close = {});

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void watchReleases(bool on);

    QWidget* window_;
    std::function<void()> close_;
    Repeats repeats_;
    bool pressed_ = false;
};
