#include "update/UpdateTexts.h"

#include "update/UpdateAddress.h"

#include <QStringList>

namespace UpdateTexts {

namespace {

const QString kBreak = QStringLiteral("\r\n");
constexpr int kMaxNoteLines = 30;
constexpr int kMaxNoteCharacters = 3000;

}  // namespace

QString title() {
    return QStringLiteral("Quorvane Update");
}

QString programTitle() {
    return QStringLiteral("Quorvane");
}

QString checkRunning() {
    return QStringLiteral("A check for a new version is already running.");
}

QString connectionFailed() {
    return QStringLiteral("A connection could not be made at this time.") + kBreak +
           QStringLiteral("Please try again later.");
}

QString noNewerVersion() {
    return QStringLiteral("No newer version is available.");
}

QString noLocation() {
    return QStringLiteral("No update location is configured.") + kBreak +
           QStringLiteral("Set \"UpdateLocation\" in the settings to the address of the update files.");
}

QString locationRefused(const QString& address) {
    return QStringLiteral("The update location \"%1\" is not used.").arg(address) + kBreak +
           QStringLiteral("Updates are fetched over https only (plain http only from this computer).");
}

QString cleanNotes(const QString& notes) {
    QString kept;
    kept.reserve(qMin<qsizetype>(notes.size(), kMaxNoteCharacters));
    for (const QChar c : notes) {
        if (c == QLatin1Char('\n') || c == QLatin1Char('\t') ||
            !(c.category() == QChar::Other_Control || c.category() == QChar::Other_Format)) {
            kept += c;  // CR goes with the other control characters; LF marks the lines
        }
    }
    QStringList lines = kept.split(QLatin1Char('\n'));
    while (!lines.isEmpty() && lines.constLast().trimmed().isEmpty()) {
        lines.removeLast();
    }
    bool cut = false;
    if (lines.size() > kMaxNoteLines) {
        lines = lines.mid(0, kMaxNoteLines);
        cut = true;
    }
    QString result = lines.join(kBreak);
    if (result.size() > kMaxNoteCharacters) {
        result.truncate(kMaxNoteCharacters);
        if (result.back().isHighSurrogate()) {
            result.chop(1);
        }
        cut = true;
    }
    if (cut) {
        result += kBreak + QStringLiteral("...");
    }
    return result.trimmed().isEmpty() ? QString() : result;
}

QString offer(const UpdateVersion& own, const QString& newVersion, const QString& notes) {
    QString text = QStringLiteral("The program's current version is %1.").arg(own.text()) + kBreak +
                   QStringLiteral("Version %1 is available.").arg(newVersion);
    const QString shown = cleanNotes(notes);
    if (!shown.isEmpty()) {
        text += kBreak + kBreak + QStringLiteral("Changes included in this update:") + kBreak +
                QString(39, QLatin1Char('-')) + kBreak + shown;
    }
    return text;
}

QString question(const QString& offer) {
    return offer + kBreak + kBreak + kBreak + QStringLiteral("Do you wish to update?");
}

QString manualDownload(const QString& downloadUrl) {
    return QStringLiteral("An error has occurred and the update has failed.") + kBreak +
           QStringLiteral("Download the new version of this application manually at ") + kBreak +
           UpdateAddress::manualDownloadSite(downloadUrl);
}

QString checksumMissing(const QString& checksumFile) {
    return QStringLiteral(
               "The update could not be verified: its checksum file \"%1\" is missing or unreadable.")
        .arg(checksumFile);
}

QString checksumMismatch() {
    return QStringLiteral("The downloaded file does not match its published checksum and has been deleted.");
}

QString notStarted(const QString& path) {
    return QStringLiteral("The downloaded file \"%1\" could not be opened.").arg(path);
}

}  // namespace UpdateTexts
