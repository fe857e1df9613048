#pragma once

#include "platform/SettingsStore.h"

#include <QSettings>
#include <memory>

// Settings kept in an INI file ($XDG_CONFIG_HOME/Quorvane/Quorvane.conf by default), section
// "Settings". QSettings writes through QSaveFile, so a write replaces the file atomically; the file
// is created readable by its owner only. A file that does not parse is moved aside, never lost.
class IniSettingsStore : public SettingsStore {
public:
    explicit IniSettingsStore(const QString& filePath = defaultFilePath());
    ~IniSettingsStore() override;

    static QString defaultFilePath();

    std::optional<QString> read(const QString& key) const override;
    bool write(const QString& key, const QString& text) override;

    QString filePath() const { return filePath_; }
    // Set when the file found at start did not parse: one line saying where it was kept.
    QString recoveryNote() const { return recoveryNote_; }

private:
    QString storedKey(const QString& key) const;
    void setAsideIfDamaged();
    void createPrivateFileIfMissing() const;

    QString filePath_;
    QString recoveryNote_;
    bool readOnly_ = false;
    std::unique_ptr<QSettings> settings_;
};
