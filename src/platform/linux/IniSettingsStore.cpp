#include "platform/linux/IniSettingsStore.h"

#include "platform/linux/OwnedFile.h"

#include <QDateTime>
#include <QDir>
#include <QFileInfo>
#include <QLockFile>
#include <QStandardPaths>

namespace {
constexpr int kExclusiveWaitMs = 5000;
constexpr int kCopyNameTries = 10;

QString lineCount(int count) {
    return count == 1 ? QStringLiteral("1 line") : QStringLiteral("%1 lines").arg(count);
}
}  // namespace

IniSettingsStore::IniSettingsStore(const QString& filePath, Access access)
    : filePath_(filePath), access_(access), target_(filePath) {
    if (access_ == Access::ReadWrite) {
        QDir().mkpath(QFileInfo(filePath_).absolutePath());
    } else {
        whyNotWritable_ = QStringLiteral("is only read by this command");
    }
    load();
}

IniSettingsStore::~IniSettingsStore() = default;

QString IniSettingsStore::defaultFilePath() {
    return QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) +
           QStringLiteral("/Quorvane/Quorvane.conf");
}

void IniSettingsStore::load() {
    const OwnedFile::Contents file = OwnedFile::read(filePath_, kSizeLimit);
    target_ = file.target;
    if (whyNotWritable_.isEmpty()) {
        whyNotWritable_ = file.whyNotWritable;
    }
    if (file.state == OwnedFile::Contents::State::Refused) {
        recoveryNote_ = QStringLiteral(
                            "Quorvane: the settings file %1 %2: default settings are used and changes "
                            "will not be kept.")
                            .arg(filePath_, file.whyRefused);
        return;
    }
    text_ = SettingsFileText::parse(file.bytes);
    if (text_.damaged() && access_ == Access::ReadWrite) {
        salvage(file.bytes);
    }
}

// Keeps the original beside the file and writes back what could be read, so that one bad line
// costs that line only. A file without a single setting is no settings file to mend: it is kept
// aside the same way and replaced by the first change.
void IniSettingsStore::salvage(const QByteArray& original) {
    const QString lines = lineCount(text_.unreadableLines() + text_.mendedLines());
    if (!whyNotWritable_.isEmpty()) {
        recoveryNote_ = QStringLiteral(
                            "Quorvane: %1 of the settings file %2 could not be read, and the file %3; "
                            "the other settings are used but changes will not be kept.")
                            .arg(lines, filePath_, whyNotWritable_);
        return;
    }
    const QString keptAs = keepDamagedCopy(original);
    if (keptAs.isEmpty()) {
        whyNotWritable_ = QStringLiteral("cannot be mended because no copy of it could be kept");
        recoveryNote_ = QStringLiteral(
                            "Quorvane: %1 of the settings file %2 could not be read and no copy of it "
                            "could be kept; the other settings are used but changes will not be saved.")
                            .arg(lines, filePath_);
        return;
    }
    if (!text_.hasSettingLines()) {
        recoveryNote_ = QStringLiteral(
                            "Quorvane: the settings file %1 could not be read; default settings are "
                            "used, and the file was kept as %2.")
                            .arg(filePath_, keptAs);
        return;
    }
    const QString why = OwnedFile::replace(target_, text_.toBytes());
    if (!why.isEmpty()) {
        whyNotWritable_ = QStringLiteral("cannot be written (%1)").arg(why);
        recoveryNote_ = QStringLiteral(
                            "Quorvane: %1 of the settings file %2 could not be read and the file could "
                            "not be mended (%3); the other settings are used but changes will not be "
                            "saved.")
                            .arg(lines, filePath_, why);
        return;
    }
    recoveryNote_ = QStringLiteral(
                        "Quorvane: %1 of the settings file %2 could not be read and were left out or "
                        "mended; every other setting was kept, and the original file was kept as %3.")
                        .arg(lines, filePath_, keptAs);
}

// The path of a copy holding `original`: one kept before, or a new one. Empty when none could be made.
QString IniSettingsStore::keepDamagedCopy(const QByteArray& original) const {
    const QFileInfo info(filePath_);
    const QDir folder = info.absoluteDir();
    const QString prefix = info.fileName() + QStringLiteral(".damaged-");
    for (const QString& name : folder.entryList({prefix + QLatin1Char('*')}, QDir::Files | QDir::Hidden)) {
        const QString path = folder.filePath(name);
        const OwnedFile::Contents copy = OwnedFile::read(path, kSizeLimit);
        if (OwnedFile::isOwnRegularFile(path) && copy.state == OwnedFile::Contents::State::Read &&
            copy.bytes == original) {
            return path;
        }
    }
    const QString stamp = folder.filePath(
        prefix + QDateTime::currentDateTime().toString(QStringLiteral("yyyyMMdd-HHmmss-zzz")));
    for (int attempt = 0; attempt < kCopyNameTries; ++attempt) {
        // A second copy within the same millisecond gets a suffix, which sorts after the first.
        const QString path = attempt == 0 ? stamp : stamp + QLatin1Char('-') + QString::number(attempt);
        if (OwnedFile::create(path, original)) {
            pruneDamagedCopies();
            return path;
        }
    }
    return {};
}

// The names end in their time, so the last in name order are the newest.
void IniSettingsStore::pruneDamagedCopies() const {
    const QFileInfo info(filePath_);
    const QDir folder = info.absoluteDir();
    const QStringList names = folder.entryList({info.fileName() + QStringLiteral(".damaged-*")},
                                               QDir::Files | QDir::Hidden, QDir::Name);
    for (qsizetype i = 0; i + kDamagedCopiesKept < names.size(); ++i) {
        const QString path = folder.filePath(names[i]);
        if (OwnedFile::isOwnRegularFile(path)) {
            QFile::remove(path);
        }
    }
}

std::optional<QString> IniSettingsStore::read(const QString& key) const {
    return text_.value(key);
}

// Reads the file as it is now, so that a write keeps what another process wrote since. False, with
// the reason, when the file may no longer be written.
bool IniSettingsStore::reload(QString& why) {
    const OwnedFile::Contents file = OwnedFile::read(filePath_, kSizeLimit);
    if (!file.whyNotWritable.isEmpty()) {
        why = file.whyNotWritable;
        return false;
    }
    target_ = file.target;
    const SettingsFileText current = SettingsFileText::parse(file.bytes);
    if (current.damaged()) {
        keepDamagedCopy(file.bytes);  // the write below leaves out what could not be read
    }
    text_ = current;
    return true;
}

bool IniSettingsStore::write(const QString& key, const QString& text) {
    if (!whyNotWritable_.isEmpty()) {
        if (access_ == Access::ReadWrite) {
            reportWriteFailure(whyNotWritable_);
        }
        return false;
    }
    QString why;
    if (!reload(why)) {
        text_.setValue(key, text);  // used until the program ends
        reportWriteFailure(why);
        return false;
    }
    if (!text_.setValue(key, text)) {
        return false;
    }
    const QByteArray bytes = text_.toBytes();
    why = bytes.size() > kSizeLimit ? QStringLiteral("would be larger than 1 MB")
                                    : OwnedFile::replace(target_, bytes);
    if (!why.isEmpty()) {
        reportWriteFailure(bytes.size() > kSizeLimit ? why
                                                     : QStringLiteral("cannot be written (%1)").arg(why));
        return false;
    }
    return true;
}

void IniSettingsStore::reportWriteFailure(const QString& why) {
    if (writeFailureReported_) {
        return;
    }
    writeFailureReported_ = true;
    if (writeFailureHandler_) {
        writeFailureHandler_(QStringLiteral("The settings file %1 %2.").arg(filePath_, why));
    }
}

bool IniSettingsStore::exclusively(const std::function<void()>& change) {
    if (!whyNotWritable_.isEmpty()) {
        change();  // nothing it decides is written, so nothing can clash
        return true;
    }
    QLockFile lock(filePath_ + QStringLiteral(".exclusive.lock"));
    lock.setStaleLockTime(0);
    const bool locked = lock.tryLock(kExclusiveWaitMs);
    QString why;
    reload(why);  // read what another process wrote since
    change();
    return locked;
}
