#pragma once

#include <QByteArray>
#include <QString>

// Reading and replacing a file the program keeps for the user who runs it. Only regular files are
// opened, and only up to a limit. A file is the user's when it belongs to the user; a link is
// followed to its target only when the link and the target both belong to the user (a dotfile
// manager's link), so a link planted in someone else's folder never leads a write elsewhere.
namespace OwnedFile {

struct Contents {
    enum class State {
        Absent,   // nothing there yet: it may be created
        Read,     // `bytes` holds the whole file
        Refused,  // not read: `whyRefused` says why
    };
    State state = State::Absent;
    QByteArray bytes;
    QString whyRefused;
    QString whyNotWritable;  // why the file may not be replaced; empty when it may
    QString target;          // the file to replace: the path itself, or the target of the user's link
};

// Reasons complete a sentence about the file: "cannot be read (Permission denied)", "is not a
// regular file", "is larger than 1 MB", "belongs to another user", "is read-only".
Contents read(const QString& path, qint64 limit);

// Replaces `path` at once and atomically with a new file readable by its owner only. Empty on
// success, else the system's reason.
QString replace(const QString& path, const QByteArray& bytes);

// Creates a new file readable by its owner only; false when it exists or cannot be written.
bool create(const QString& path, const QByteArray& bytes);

// True for a regular file that belongs to the user (not a link).
bool isOwnRegularFile(const QString& path);

}  // namespace OwnedFile
