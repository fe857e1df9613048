#pragma once

#include <sys/types.h>
#include <QString>
#include <QStringList>
#include <vector>

// An X display of the test's own (Xvfb, 1280x800) with a tray host along one screen edge and,
// when asked, a window manager (openbox): what the shared test display, with its tray at the
// bottom and no window manager, cannot show. It sets DISPLAY, so it must start before the
// QApplication; it stops everything it started when it goes.
class PrivateDisplay {
public:
    enum class PanelEdge { Bottom, Top };

    PrivateDisplay(PanelEdge edge, bool windowManager);
    ~PrivateDisplay();
    PrivateDisplay(const PrivateDisplay&) = delete;
    PrivateDisplay& operator=(const PrivateDisplay&) = delete;

    // Whether it runs; otherwise why not (a missing tool, a server that did not come up).
    bool started(QString* why) const;
    PanelEdge edge() const { return edge_; }

    // The edge QUORVANE_TEST_PANEL_EDGE names ("top"), the bottom by default.
    static PanelEdge edgeFromEnvironment();

private:
    pid_t spawn(const QStringList& command);
    bool waitFor(const QStringList& command, const QString& expectedOutput) const;

    PanelEdge edge_;
    std::vector<pid_t> processes_;
    QString failure_;
};
