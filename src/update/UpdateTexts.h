#pragma once

#include "update/UpdateVersion.h"

#include <QString>

// The texts the update check shows. Line breaks are CR LF, as the message box expects them.
namespace UpdateTexts {

QString title();         // "Quorvane Update"; the message box puts the leading blank before it
QString programTitle();  // "Quorvane": the failed download's boxes
QString checkRunning();
QString connectionFailed();
QString noNewerVersion();
QString noLocation();
QString locationRefused(const QString& address);

// The release notes as they are shown: control characters dropped, line breaks made CR LF, and cut
// to a length a message box can hold. Empty when there is nothing to show.
QString cleanNotes(const QString& notes);

// "The program's current version is ..." with the notes block when the notes are not empty.
QString offer(const UpdateVersion& own, const QString& newVersion, const QString& notes);
QString question(const QString& offer);

QString manualDownload(const QString& downloadUrl);
QString checksumMissing(const QString& checksumFile);
QString checksumMismatch();
QString notStarted(const QString& path);

}  // namespace UpdateTexts
