#pragma once

#include <QHostAddress>
#include <QTcpServer>
#include <QTcpSocket>
#include <QUrl>

/// @brief A one-page HTTP server on 127.0.0.1 for tests: answers every request with the
/// configured status and body, or keeps silent when asked to.
class Http_Test_Server : public QObject {
public:
    int status = 200;
    QByteArray body;
    bool silent = false;
    QByteArray last_request;

    Http_Test_Server() {
        server_.listen(QHostAddress::LocalHost);
        connect(&server_, &QTcpServer::newConnection, this, [this] {
            while (QTcpSocket* socket = server_.nextPendingConnection())
                connect(socket, &QTcpSocket::readyRead, this, [this, socket] { Answer(socket); });
        });
    }

    QUrl Url() const {
        return QUrl(QStringLiteral("http://127.0.0.1:%1").arg(server_.serverPort()));
    }

private:
    void Answer(QTcpSocket* socket) {
        last_request += socket->readAll();
        if (silent || !last_request.contains("\r\n\r\n"))
            return;
        socket->write("HTTP/1.0 " + QByteArray::number(status) + " Status\r\n" +
                      "Content-Type: text/html\r\nContent-Length: " +
                      QByteArray::number(body.size()) + "\r\nConnection: close\r\n\r\n" + body);
        socket->disconnectFromHost();
    }

    QTcpServer server_;
};
