#include "platform/qt/handoverserver.h"

#include "platform/handovermessage.h"

#include <QLocalServer>
#include <QLocalSocket>
#include <QTimer>

#include <memory>

namespace platform {
namespace {

// A client that connects and says nothing, or too many at once, must not
// tie up the program: each gets a few seconds and only a few are served.
constexpr int kMaxClients = 8;
constexpr int kClientTimeoutMs = 5000;
constexpr qint64 kReadChunk = 4096;

} // namespace

HandoverServer::HandoverServer(QObject* parent) : QObject(parent), server_(new QLocalServer(this)) {
    server_->setSocketOptions(QLocalServer::UserAccessOption);
    connect(server_, &QLocalServer::newConnection, this, &HandoverServer::Accept);
}

bool HandoverServer::Listen(const std::string& socketPath) {
    const QString path = QString::fromLocal8Bit(socketPath);
    QLocalServer::removeServer(path);
    return server_->listen(path);
}

void HandoverServer::Accept() {
    while (QLocalSocket* client = server_->nextPendingConnection()) {
        if (clients_ >= kMaxClients) {
            client->abort();
            client->deleteLater();
            continue;
        }
        ++clients_;
        connect(client, &QObject::destroyed, this, [this] { --clients_; });
        auto decoder = std::make_shared<HandoverDecoder>();
        client->setReadBufferSize(kReadChunk);
        const auto read = [this, client, decoder] {
            while (decoder->Current() == HandoverDecoder::State::NeedMore &&
                   client->bytesAvailable() > 0) {
                const QByteArray bytes = client->read(kReadChunk);
                decoder->Feed(
                    std::string_view(bytes.constData(), static_cast<size_t>(bytes.size())));
            }
            if (decoder->Current() == HandoverDecoder::State::NeedMore) return;
            client->abort();
            client->deleteLater();
            if (decoder->Current() == HandoverDecoder::State::Done)
                emit PathReceived(decoder->Path());
        };
        connect(client, &QLocalSocket::readyRead, this, read);
        connect(client, &QLocalSocket::disconnected, client, &QObject::deleteLater);
        QTimer::singleShot(kClientTimeoutMs, client, [client] {
            client->abort();
            client->deleteLater();
        });
        // Bytes may have come before the connection was handled.
        read();
    }
}

} // namespace platform
