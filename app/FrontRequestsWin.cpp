#include "FrontRequests.h"

#include <QCryptographicHash>
#include <QLocalServer>
#include <QLocalSocket>

namespace {

// The pipe's name is one that all users' programs share, so it comes from a hash of the
// store's path.
QString ServerName(const QString &storePath)
{
    const QByteArray hash =
        QCryptographicHash::hash(storePath.toUtf8(), QCryptographicHash::Sha256);
    return QStringLiteral("tavrel-") + QString::fromLatin1(hash.toHex().left(32));
}

} // namespace

struct FrontRequests::Channel
{
    QLocalServer server;
};

FrontRequests::FrontRequests(const QString &storePath, QObject *parent)
    : QObject(parent), address(ServerName(storePath))
{
}

FrontRequests::~FrontRequests() = default;

bool FrontRequests::Listen()
{
    channel = std::make_unique<Channel>();
    QLocalServer &server = channel->server;
    server.setSocketOptions(QLocalServer::UserAccessOption);
    connect(&server, &QLocalServer::newConnection, this, [this] {
        while (QLocalSocket *request = channel->server.nextPendingConnection())
            request->deleteLater();
        emit Received();
    });
    return server.listen(address);
}

bool FrontRequests::Ask() const
{
    // A connection is the whole request.
    QLocalSocket socket;
    socket.connectToServer(address);
    return socket.waitForConnected(1000);
}
