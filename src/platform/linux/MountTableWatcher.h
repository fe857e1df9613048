#pragma once

#include <QByteArray>
#include <QElapsedTimer>
#include <QObject>
#include <QString>
#include <QTimer>
#include <memory>

class QSocketNotifier;

// Watches the mount table of the process's own mount namespace. The kernel flags the open table
// file with POLLPRI (and POLLERR) whenever a filesystem is mounted or unmounted, so a socket notifier
// of the exception kind wakes us on each change without any polling timer. A container host changes
// the table hundreds of times a second while containers start: such a burst gives one notice once
// it has settled (at least one a second while it lasts), and none when the table ends as it was.
class MountTableWatcher : public QObject {
    Q_OBJECT

public:
    explicit MountTableWatcher(const QString& path = QStringLiteral("/proc/self/mountinfo"),
                               QObject* parent = nullptr);
    ~MountTableWatcher() override;

    // The one watcher the whole process shares; it lives while anybody holds it. Call it on the
    // thread that runs the user interface.
    static std::shared_ptr<MountTableWatcher> shared();

    bool isWatching() const { return notifier_ != nullptr; }
    QString errorString() const { return error_; }
    // Quiet time after the last change before the table is read again, and the longest wait.
    static constexpr int kSettleMs = 150;
    static constexpr int kLongestWaitMs = 1000;

    // The table as last read: at start and after every burst of changes.
    QByteArray mountTable() const { return table_; }

Q_SIGNALS:
    void changed();

private:
    void onNotice();
    void onSettled();
    bool readTable();

    int fd_ = -1;
    QSocketNotifier* notifier_ = nullptr;
    QString path_;
    QString error_;
    QByteArray table_;
    QTimer settle_;
    QElapsedTimer burst_;
};
