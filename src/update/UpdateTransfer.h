#pragma once

#include <QByteArray>
#include <QNetworkAccessManager>
#include <QObject>
#include <QPointer>
#include <QSslConfiguration>
#include <QString>
#include <QUrl>
#include <functional>

class QNetworkReply;

// The outcome of one fetch: its body (or, for a fetch into a file, the file's SHA-256 digest), or
// a description of why it failed.
struct FetchResult {
    bool ok = false;
    QByteArray body;
    QByteArray sha256;
    QString error;
    bool tooLarge = false;  // a 2xx answer whose document grew beyond the limit (and was cut off there)
};

// Fetches update files asynchronously. A fetch fails on any network or TLS error, on an answer other
// than 2xx, on a redirect that the address rule refuses, when nothing arrives for the time-out,
// and when a document grows beyond its limit.
class UpdateTransfer : public QObject {
    Q_OBJECT

public:
    using Done = std::function<void(const FetchResult&)>;

    explicit UpdateTransfer(QObject* parent = nullptr);
    ~UpdateTransfer() override;

    void setTimeout(int milliseconds) { timeoutMs_ = milliseconds; }
    // The TLS settings of every request (the system's certificate authorities unless set).
    void setSslConfiguration(const QSslConfiguration& configuration) { ssl_ = configuration; }

    void fetch(const QUrl& url, qint64 limit, Done done);
    // Streams the document into `path` (created or truncated) and hashes it on the way.
    void fetchToFile(const QUrl& url, const QString& path, qint64 limit, Done done);
    // Drops the running fetch; its callback is not called.
    void abort();

private:
    void start(const QUrl& url, qint64 limit, const QString& path, Done done);

    QNetworkAccessManager manager_;
    QPointer<QNetworkReply> reply_;
    int timeoutMs_ = 30000;
    QSslConfiguration ssl_ = QSslConfiguration::defaultConfiguration();
};
