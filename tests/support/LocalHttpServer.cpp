#include "support/LocalHttpServer.h"

#include <QSslServer>
#include <QTcpSocket>

LocalHttpServer::LocalHttpServer(QObject* parent) : LocalHttpServer(QSslConfiguration(), parent) {}

LocalHttpServer::LocalHttpServer(const QSslConfiguration& tls, QObject* parent)
    : QObject(parent), tls_(!tls.localCertificate().isNull()) {
    if (tls_) {
        auto server = std::make_unique<QSslServer>();
        server->setSslConfiguration(tls);
        server_ = std::move(server);
    } else {
        server_ = std::make_unique<QTcpServer>();
    }
    server_->listen(QHostAddress::LocalHost);
    // A TLS connection is pending only once its handshake is done.
    connect(server_.get(), &QTcpServer::pendingConnectionAvailable, this, [this] {
        while (QTcpSocket* socket = server_->nextPendingConnection()) {
            socket->setParent(this);
            connect(socket, &QTcpSocket::readyRead, this, [this, socket] { answer(socket); });
            connect(socket, &QTcpSocket::disconnected, socket, &QObject::deleteLater);
            answer(socket);  // the request may have come with the end of the handshake
        }
    });
}

QString LocalHttpServer::base() const {
    return QStringLiteral("%1://127.0.0.1:%2").arg(QLatin1String(tls_ ? "https" : "http")).arg(port());
}

void LocalHttpServer::answer(QTcpSocket* socket) {
    const QByteArray head = socket->peek(64 * 1024);
    if (!head.contains("\r\n\r\n")) {
        return;  // wait for the whole request head
    }
    socket->readAll();
    const QString path = QString::fromLatin1(head.split(' ').value(1));
    requests << path;
    if (stalled.contains(path)) {
        return;
    }
    const Document document = documents.value(path, Document{404, "not found", {}});
    QByteArray reply = "HTTP/1.1 " + QByteArray::number(document.status) + " X\r\n";
    if (!document.location.isEmpty()) {
        reply += "Location: " + document.location + "\r\n";
    }
    reply += "Content-Length: " + QByteArray::number(document.body.size()) + "\r\nConnection: close\r\n\r\n";
    socket->write(reply + document.body);
    socket->disconnectFromHost();
}
