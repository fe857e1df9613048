#pragma once

#include "platform/SettingsStore.h"

#include <QSettings>
#include <functional>
#include <memory>

class QTemporaryFile;

// Settings kept in an INI file ($XDG_CONFIG_HOME/Quorvane/Quorvane.conf by default), section
// "Settings". QSettings writes through QSaveFile, so a write replaces the file atomically; the file
// is created readable by its owner only. Lines that cannot be read cost only themselves: the rest
// is kept, and the original file is copied aside before it is rewritten.
class IniSettingsStore : public SettingsStore {
public:
    enum class Access {
        ReadWrite,  // the program
        ReadOnly,   // a one-shot command: never creates, renames or writes a file
    };

    explicit IniSettingsStore(const QString& filePath = defaultFilePath(), Access access = Access::ReadWrite);
    ~IniSettingsStore() override;

    static QString defaultFilePath();

    std::optional<QString> read(const QString& key) const override;
    bool write(const QString& key, const QString& text) override;
    bool exclusively(const std::function<void()>& change) override;

    QString filePath() const { return filePath_; }
    // Set when lines of the file found at start could not be read: one line saying so, and where
    // the original was kept. Empty for a read-only store, which changes nothing.
    QString recoveryNote() const { return recoveryNote_; }
    // Told why, the first time a write cannot be saved; later failures are not repeated.
    void setWriteFailureHandler(std::function<void(const QString& reason)> handler) {
        writeFailureHandler_ = std::move(handler);
    }

private:
    QString storedKey(const QString& key) const;
    QString salvageDamagedFile();
    bool keepCopy(const QByteArray& original, const QString& copyPath) const;
    void createPrivateFileIfMissing() const;
    void reportWriteFailure();

    QString filePath_;
    Access access_;
    QString recoveryNote_;
    bool writable_ = true;
    bool writeFailureReported_ = false;
    std::function<void(const QString&)> writeFailureHandler_;
    std::unique_ptr<QTemporaryFile> salvagedCopy_;  // what a read-only store reads from a damaged file
    std::unique_ptr<QSettings> settings_;
};
