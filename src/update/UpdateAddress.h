#pragma once

#include <QString>
#include <QUrl>

// Addresses of the update files and the rule for which of them may be fetched.
namespace UpdateAddress {

// The location in lower case, a "/" unless it ends with one, the file name in lower case, and
// every blank removed.
QString BuildUpdateUrl(const QString& downloadUrl, const QString& fileName);

// The address to fetch, or an empty URL when it is refused: https is taken for any host, plain http
// only for this computer (loopback addresses and "localhost"). A location without a scheme is https.
QUrl allowedUrl(const QString& address);
bool isAllowed(const QUrl& url);

// A redirect must lead to an allowed address and never from https down to plain http.
bool isAllowedRedirect(const QUrl& from, const QUrl& to);

// The site named in the manual-download advice: the location without its scheme, cut after the
// first ".com" when it has one.
QString manualDownloadSite(const QString& downloadUrl);

}  // namespace UpdateAddress
