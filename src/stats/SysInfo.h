#pragma once

#include <QObject>
#include <memory>

class MountTableWatcher;

// The desktop work area and the notice that the set of mounted filesystems changed. Every window
// that needs either owns one; all instances share one watcher of the mount table.
class SysInfo : public QObject {
    Q_OBJECT

public:
    explicit SysInfo(QObject* parent = nullptr);
    ~SysInfo() override;

    // The bottom edge of the work area (the screen without panels), in twips from the screen's top.
    int WorkAreaHeight() const;
    // The right edge of the work area, in twips from the screen's left.
    int WorkAreaWidth() const;

    // Twips per screen pixel: 1440 / logical DPI (15 at 96 dpi).
    static int twipsPerPixelX();
    static int twipsPerPixelY();

Q_SIGNALS:
    // The mount table changed: a filesystem was mounted or unmounted (a device arrived or left).
    void drivesChanged();

private:
    std::shared_ptr<MountTableWatcher> mountTable_;
};
