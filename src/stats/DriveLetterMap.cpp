#include "stats/DriveLetterMap.h"

#include "stats/StatisticItem.h"

DriveLetterMap::DriveLetterMap(SettingsStore* store) : store_(store) {}

QString DriveLetterMap::settingsKey(QChar letter) {
    return QStringLiteral("DriveMount") + letter.toUpper();
}

void DriveLetterMap::load() {
    // Read afresh each time: another copy of the program may have handed out letters.
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
    QList<QChar> letters(mountPoints.size());
    // Two copies of the program (two users of one home) may assign at once: each reads the mapping
    // as stored and writes its new letters before the other may read.
    const auto assign = [&] { assignLetters(mountPoints, letters); };
    if (store_ != nullptr) {
        store_->exclusively(assign);
    } else {
        assign();
    }
    return letters;
}

void DriveLetterMap::assignLetters(const QStringList& mountPoints, QList<QChar>& letters) {
    load();
    for (qsizetype i = 0; i < mountPoints.size(); ++i) {
        for (int slot = 0; slot < kExtraDriveCount; ++slot) {
            if (mountOfLetter_[static_cast<size_t>(slot)] == mountPoints[i]) {
                letters[i] = driveLetter(slot);
                break;
            }
        }
    }
    // New mount points take a free letter; when none is left, the letter of a mount point that is
    // not mounted now, so a machine that has seen many filesystems never runs out for good.
    const auto takeSlot = [&](auto isTakeable) {
        for (int slot = 0; slot < kExtraDriveCount; ++slot) {
            if (isTakeable(mountOfLetter_[static_cast<size_t>(slot)])) {
                return slot;
            }
        }
        return -1;
    };
    for (qsizetype i = 0; i < mountPoints.size(); ++i) {
        if (!letters[i].isNull()) {
            continue;
        }
        int slot = takeSlot([](const QString& mapped) { return mapped.isEmpty(); });
        if (slot < 0) {
            slot = takeSlot([&](const QString& mapped) { return !mountPoints.contains(mapped); });
        }
        if (slot < 0) {
            continue;  // 23 filesystems mounted at once: no row past Z
        }
        mountOfLetter_[static_cast<size_t>(slot)] = mountPoints[i];
        letters[i] = driveLetter(slot);
        if (store_ != nullptr) {
            store_->write(settingsKey(letters[i]), mountPoints[i]);
        }
    }
}
