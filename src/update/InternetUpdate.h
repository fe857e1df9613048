#pragma once

#include "update/UpdateTransfer.h"
#include "update/UpdateVersion.h"

#include <QObject>
#include <QString>

class FileStarter;
class UpdatePrompts;

// Asks the update location whether a newer version exists, offers it with its release notes, and
// downloads, verifies and opens the package. Every transfer runs asynchronously, so the tray and the
// windows stay responsive while a server is slow; one check or update runs at a time.
class InternetUpdate : public QObject {
    Q_OBJECT

public:
    InternetUpdate(const UpdateVersion& ownVersion, UpdatePrompts& prompts, FileStarter& starter,
                   QString downloadParent, QObject* parent = nullptr);

    QString DownloadURL() const { return downloadUrl_; }
    void setDownloadURL(const QString& url) { downloadUrl_ = url; }
    QString UpdateFile() const { return updateFile_; }
    void setUpdateFile(const QString& file) { updateFile_ = file; }
    bool ShowStatus() const { return showStatus_; }
    void setShowStatus(bool show) { showStatus_ = show; }
    bool ShowMessage() const { return showMessage_; }
    void setShowMessage(bool show) { showMessage_ = show; }

    // The most each document may hold; a longer one is cut off there and counts as failed (a
    // version file that long counts as no version at all).
    static constexpr qint64 kMaxVersionBytes = 1024;
    static constexpr qint64 kMaxNotesBytes = qint64(256) * 1024;
    static constexpr qint64 kMaxChecksumBytes = qint64(64) * 1024;
    static constexpr qint64 kMaxPackageBytes = qint64(1) << 30;

    void setTimeout(int milliseconds) { transfer_.setTimeout(milliseconds); }
    void setSslConfiguration(const QSslConfiguration& configuration) {
        transfer_.setSslConfiguration(configuration);
    }
    void setMaxPackageBytes(qint64 bytes) { maxPackageBytes_ = bytes; }

    // Check and report only; TestCompleted comes at the end in every case. While a check or an
    // update runs, a second call only says so (when ShowMessage is on) and signals nothing.
    void Test();
    // Check, and when a newer version exists ask whether to update.
    void TestAndUpdate();
    // Download the package into a private folder, verify it and open it.
    void Update();
    QString BuildUpdateUrl(const QString& fileName) const;

    bool busy() const { return busy_; }
    QString versionFileName() const;
    QString notesFileName(const QString& version) const;
    QString checksumFileName() const { return updateFile_ + QStringLiteral(".sha256"); }
    // Drops a running transfer and closes the status window, as the program does when it ends.
    void cancel();

Q_SIGNALS:
    void TestCompleted();
    void TestFailed();  // declared for completeness; a failed check reports through its message
    void DownloadStarted();
    void DownloadFailed();
    void UpdateStarted();
    void UpdateCanceled();

private:
    void check(bool askToUpdate);
    void versionFetched(bool askToUpdate, const FetchResult& result);
    void offer(bool askToUpdate, const QString& version, const QString& notes);
    void endCheck(bool askToUpdate);
    void inform(const QString& text);

    void download();
    void checksumFetched(const QString& path, const FetchResult& result);
    void packageFetched(const QString& path, const QByteArray& expected, const FetchResult& result);
    void updateFailed(const QString& description);
    void closeStatus();

    UpdateVersion ownVersion_;
    UpdatePrompts& prompts_;
    FileStarter& starter_;
    QString downloadParent_;
    UpdateTransfer transfer_;

    QString downloadUrl_;
    QString updateFile_;
    bool showStatus_ = true;
    bool showMessage_ = true;
    bool busy_ = false;
    bool statusShown_ = false;
    qint64 maxPackageBytes_ = kMaxPackageBytes;
};
