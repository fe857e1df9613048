#include "stats/DriveLetterMap.h"

#include "stats/StatisticItem.h"

DriveLetterMap::DriveLetterMap(SettingsStore* store) : store_(store) {}

QString DriveLetterMap::settingsKey(QChar letter) {
    return QStringLiteral("DriveMount") + letter.toUpper();
}

void DriveLetterMap::load() {
    // Read afresh each time: another copy of the program (a --stats run) may have handed out letters.
    if (store_ == nullptr) {
        return;
    }
    mountOfLetter_ = {};
    for (int slot = 0; slot < kExtraDriveCount; ++slot) {
        const std::optional<QString> mountPoint = store_->read(settingsKey(driveLetter(slot)));
        // Only an absolute path is a mapping; anything else (hand-edited junk) leaves the letter free.
        if (mountPoint && mountPoint->startsWith(QLatin1Char('/')) && *mountPoint != QLatin1String("/")) {
            mountOfLetter_[static_cast<size_t>(slot)] = *mountPoint;
        }
    }
}

QList<QChar> DriveLetterMap::lettersFor(const QStringList& mountPoints) {
    load();
    QList<QChar> letters;
    for (const QString& mountPoint : mountPoints) {
        QChar letter;
        int freeSlot = -1;
        for (int slot = 0; slot < kExtraDriveCount; ++slot) {
            const QString& mapped = mountOfLetter_[static_cast<size_t>(slot)];
            if (mapped == mountPoint) {
                letter = driveLetter(slot);
                break;
            }
            if (mapped.isEmpty() && freeSlot < 0) {
                freeSlot = slot;
            }
        }
        if (letter.isNull() && freeSlot >= 0) {
            mountOfLetter_[static_cast<size_t>(freeSlot)] = mountPoint;
            letter = driveLetter(freeSlot);
            if (store_ != nullptr) {
                store_->write(settingsKey(letter), mountPoint);
            }
        }
        letters.append(letter);
    }
    return letters;
}
