#pragma once

#include "platform/SettingsStore.h"
#include "platform/linux/SettingsFileText.h"

#include <functional>

// Settings kept in a key=value file ($XDG_CONFIG_HOME/Quorvane/Quorvane.conf by default), section
// "Settings", read and written by SettingsFileText. Each write reads the file again, so changes of
// another process are kept, and replaces it atomically with a file readable by its owner only.
// Only a regular file of the user, at most 1 MB, is read; only such a file (or a new one) is written.
// Lines that cannot be read cost only themselves: the rest is kept, and the original file is copied
// aside (two copies at most, none twice) before it is rewritten.
class IniSettingsStore : public SettingsStore {
public:
    enum class Access {
        ReadWrite,  // the program
        ReadOnly,   // a one-shot command: never creates, renames or writes a file
    };
    static constexpr qint64 kSizeLimit = qint64(1024) * 1024;  // a real file is a few kilobytes
    static constexpr int kDamagedCopiesKept = 2;

    explicit IniSettingsStore(const QString& filePath = defaultFilePath(), Access access = Access::ReadWrite);
    ~IniSettingsStore() override;

    static QString defaultFilePath();

    std::optional<QString> read(const QString& key) const override;
    bool write(const QString& key, const QString& text) override;
    bool exclusively(const std::function<void()>& change) override;

    QString filePath() const { return filePath_; }
    // One line to say at start, or empty: why the file was not read, or which lines of it could not
    // be read and where the original was kept. A read-only store tells only why it read nothing.
    QString recoveryNote() const { return recoveryNote_; }
    // Told why, the first time a write cannot be saved; later failures are not repeated.
    void setWriteFailureHandler(std::function<void(const QString& reason)> handler) {
        writeFailureHandler_ = std::move(handler);
    }

private:
    void load();
    void salvage(const QByteArray& original);
    QString keepDamagedCopy(const QByteArray& original) const;
    void pruneDamagedCopies() const;
    bool reload(QString& why);
    void reportWriteFailure(const QString& why);

    QString filePath_;
    Access access_;
    QString recoveryNote_;
    QString whyNotWritable_;  // completes "the settings file ... "; empty while writes are kept
    QString target_;          // the file written: the path, or the target of the user's own link
    bool writeFailureReported_ = false;
    std::function<void(const QString&)> writeFailureHandler_;
    SettingsFileText text_;
};
