#pragma once

#include "platform/SettingsStore.h"

#include <QChar>
#include <QHash>
#include <QString>
#include <QStringList>
#include <array>

// Gives every extra fixed drive a letter D..Z that stays the same across runs. The mapping lives in
// the settings store, one key per letter: "DriveMountD" = "/home", "DriveMountE" = "/mnt/data", ...
// A letter whose key is missing or empty is free. A mount point keeps its letter while it is not
// mounted, so the drive's show flag and alert level stay with it, until all 23 letters are taken:
// then a new mount point takes the letter of one that is not mounted. Without a store the letters
// are handed out afresh each run.
class DriveLetterMap {
public:
    explicit DriveLetterMap(SettingsStore* store = nullptr);

    static QString settingsKey(QChar letter);  // "DriveMount" + letter

    // The letter of each mount point, assigning the first free letter to new ones (and saving it);
    // a mount point left without a letter (none free after Z) gets a null QChar.
    QList<QChar> lettersFor(const QStringList& mountPoints);

private:
    void load();
    void assignLetters(const QStringList& mountPoints, QList<QChar>& letters);

    SettingsStore* store_;
    std::array<QString, 23> mountOfLetter_;
};
