#pragma once

#include <QString>
#include <optional>

// The private folder a downloaded update goes into: "update" below the user's cache (or runtime)
// folder, made anew for every download with room for this user only.
class UpdateDownloadFolder {
public:
    explicit UpdateDownloadFolder(QString parent) : parent_(std::move(parent)) {}

    // The user's cache folder for the program, else the runtime folder; empty when there is none.
    static QString defaultParent();

    QString path() const;

    // Removes an earlier folder with everything in it (a stale or partial download), makes the
    // folder with mode 0700 and returns where `fileName` goes; nothing, with `error` set, on failure.
    std::optional<QString> prepare(const QString& fileName, QString* error) const;

private:
    QString parent_;
};
