#pragma once

#include <QByteArray>
#include <QObject>
#include <QString>
#include <memory>

class QSocketNotifier;

// Watches the mount table of the process's own mount namespace. The kernel flags the open table
// file with POLLPRI (and POLLERR) whenever a filesystem is mounted or unmounted, so a socket notifier
// of the exception kind wakes us on each change without any polling timer.
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
    // The table as last read: at start and after every change.
    QByteArray mountTable() const { return table_; }

Q_SIGNALS:
    void changed();

private:
    void onNotice();
    bool readTable();

    int fd_ = -1;
    QSocketNotifier* notifier_ = nullptr;
    QString path_;
    QString error_;
    QByteArray table_;
};
