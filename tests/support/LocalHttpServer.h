#pragma once

#include <QByteArray>
#include <QHash>
#include <QList>
#include <QSslConfiguration>
#include <QStringList>
#include <QTcpServer>
#include <memory>

class QTcpSocket;

// A tiny HTTP/1.1 server on a loopback port of its own that serves documents from memory, over
// TLS when given a configuration with a certificate and key. Paths it does not know get 404; a
// `stalled` path is read and never answered.
class LocalHttpServer : public QObject {
    Q_OBJECT

public:
    struct Document {
        int status = 200;
        QByteArray body;
        QByteArray location;  // for a redirect
    };

    explicit LocalHttpServer(QObject* parent = nullptr);
    explicit LocalHttpServer(const QSslConfiguration& tls, QObject* parent = nullptr);

    quint16 port() const { return server_->serverPort(); }
    QString base() const;  // "http://127.0.0.1:port", or https

    void serve(const QString& path, const QByteArray& body) { documents[path] = Document{200, body, {}}; }
    void redirect(const QString& path, const QByteArray& to) { documents[path] = Document{302, {}, to}; }

    QHash<QString, Document> documents;
    QStringList stalled;
    QStringList requests;  // paths, in the order asked

private:
    void answer(QTcpSocket* socket);

    std::unique_ptr<QTcpServer> server_;
    bool tls_ = false;
};
