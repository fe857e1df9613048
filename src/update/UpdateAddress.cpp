#include "update/UpdateAddress.h"

#include <QHostAddress>

namespace UpdateAddress {

namespace {

bool isLoopbackHost(const QString& host) {
    if (host.compare(QLatin1String("localhost"), Qt::CaseInsensitive) == 0) {
        return true;
    }
    const QHostAddress address(host);
    return !address.isNull() && address.isLoopback();
}

}  // namespace

QString BuildUpdateUrl(const QString& downloadUrl, const QString& fileName) {
    QString url = downloadUrl.toLower();
    if (!url.endsWith(QLatin1Char('/'))) {
        url += QLatin1Char('/');
    }
    url += fileName.toLower();
    url.remove(QLatin1Char(' '));
    return url;
}

QUrl allowedUrl(const QString& address) {
    QString text = address.trimmed();
    if (!text.contains(QLatin1String("://"))) {
        text.prepend(QLatin1String("https://"));
    }
    const QUrl url(text, QUrl::StrictMode);
    return isAllowed(url) ? url : QUrl();
}

bool isAllowed(const QUrl& url) {
    if (!url.isValid() || url.host().isEmpty() || !url.userInfo().isEmpty()) {
        return false;
    }
    const QString scheme = url.scheme().toLower();
    return scheme == QLatin1String("https") ||
           (scheme == QLatin1String("http") && isLoopbackHost(url.host()));
}

bool isAllowedRedirect(const QUrl& from, const QUrl& to) {
    const bool downgrade =
        from.scheme().toLower() == QLatin1String("https") && to.scheme().toLower() != QLatin1String("https");
    return !downgrade && isAllowed(to);
}

QString manualDownloadSite(const QString& downloadUrl) {
    QString site = downloadUrl;
    const qsizetype slashes = site.indexOf(QLatin1String("//"));
    if (slashes >= 0) {
        site = site.mid(slashes + 2);
    }
    const qsizetype com = site.toLower().indexOf(QLatin1String(".com"));
    if (com >= 0) {
        site.truncate(com + 4);
    }
    return site;
}

}  // namespace UpdateAddress
