#include "update/UpdateTransfer.h"

#include "settings/ProgramVersion.h"
#include "update/UpdateAddress.h"

#include <QCryptographicHash>
#include <QFile>
#include <QNetworkReply>
#include <QNetworkRequest>
#include <QTimer>
#include <memory>

namespace {

// What one fetch collects while it runs.
struct FetchState {
    QUrl current;
    qint64 limit = 0;
    std::unique_ptr<QFile> file;
    QCryptographicHash hash{QCryptographicHash::Sha256};
    QByteArray body;
    qint64 received = 0;
    QString failure;  // set when the fetch was stopped on purpose
    bool tooLarge = false;
    QTimer idle;
};

}  // namespace

UpdateTransfer::UpdateTransfer(QObject* parent) : QObject(parent) {}

UpdateTransfer::~UpdateTransfer() {
    abort();
}

void UpdateTransfer::fetch(const QUrl& url, qint64 limit, Done done) {
    start(url, limit, QString(), std::move(done));
}

void UpdateTransfer::fetchToFile(const QUrl& url, const QString& path, qint64 limit, Done done) {
    start(url, limit, path, std::move(done));
}

void UpdateTransfer::abort() {
    if (reply_) {
        QNetworkReply* reply = reply_;
        reply_.clear();
        reply->disconnect();
        reply->abort();
        reply->deleteLater();
    }
}

void UpdateTransfer::start(const QUrl& url, qint64 limit, const QString& path, Done done) {
    abort();
    auto state = std::make_shared<FetchState>();
    state->current = url;
    state->limit = limit;
    if (!path.isEmpty()) {
        state->file = std::make_unique<QFile>(path);
        if (!state->file->open(QIODevice::WriteOnly | QIODevice::Truncate)) {
            const QString error = QStringLiteral("The file \"%1\" could not be written: %2")
                                      .arg(path, state->file->errorString());
            QTimer::singleShot(0, this, [done, error] { done(FetchResult{false, {}, {}, error}); });
            return;
        }
    }

    QNetworkRequest request(url);
    request.setSslConfiguration(ssl_);
    request.setAttribute(QNetworkRequest::RedirectPolicyAttribute,
                         QNetworkRequest::UserVerifiedRedirectPolicy);
    request.setAttribute(QNetworkRequest::CacheLoadControlAttribute, QNetworkRequest::AlwaysNetwork);
    request.setHeader(QNetworkRequest::UserAgentHeader, QStringLiteral("Quorvane/") + ProgramVersion::text());
    QNetworkReply* reply = manager_.get(request);
    reply_ = reply;

    const auto stop = [reply, state](const QString& why) {
        if (state->failure.isEmpty()) {
            state->failure = why;
        }
        reply->abort();
    };

    state->idle.setSingleShot(true);
    state->idle.setInterval(timeoutMs_);
    const double seconds = timeoutMs_ / 1000.0;
    connect(&state->idle, &QTimer::timeout, reply, [stop, seconds] {
        stop(QStringLiteral("The server did not answer within %1 seconds.").arg(seconds));
    });
    state->idle.start();

    connect(reply, &QNetworkReply::redirected, reply, [reply, state, stop](const QUrl& target) {
        const QUrl next = state->current.resolved(target);
        if (!UpdateAddress::isAllowedRedirect(state->current, next)) {
            stop(QStringLiteral("The server redirected to \"%1\", which is refused.").arg(next.toString()));
            return;
        }
        state->current = next;
        Q_EMIT reply->redirectAllowed();
    });
    connect(reply, &QNetworkReply::readyRead, reply, [reply, state, stop] {
        state->idle.start();
        const QByteArray chunk = reply->readAll();
        state->received += chunk.size();
        if (state->received > state->limit) {
            state->tooLarge = true;
            stop(QStringLiteral("The document at \"%1\" is too large.").arg(state->current.toString()));
            return;
        }
        if (state->file) {
            state->hash.addData(chunk);
            if (state->file->write(chunk) != chunk.size()) {
                stop(QStringLiteral("The file \"%1\" could not be written: %2")
                         .arg(state->file->fileName(), state->file->errorString()));
            }
        } else {
            state->body += chunk;
        }
    });
    connect(reply, &QNetworkReply::finished, this, [this, reply, state, done] {
        state->idle.stop();
        if (reply_ == reply) {
            reply_.clear();
        }
        reply->deleteLater();
        FetchResult result;
        const int status = reply->attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt();
        if (!state->failure.isEmpty()) {
            result.error = state->failure;
        } else if (reply->error() != QNetworkReply::NoError) {
            result.error = reply->errorString();
        } else if (status < 200 || status > 299) {
            result.error = QStringLiteral("The server answered %1 for \"%2\".")
                               .arg(status)
                               .arg(state->current.toString());
        } else {
            result.ok = true;
        }
        result.tooLarge = state->tooLarge && status >= 200 && status <= 299;
        if (state->file) {
            if (!state->file->flush()) {
                result.ok = false;
                result.error = state->file->errorString();
            }
            state->file->close();
            result.sha256 = state->hash.result();
        } else {
            result.body = state->body;
        }
        done(result);
    });
}
