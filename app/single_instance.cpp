#include "single_instance.h"

#include <QLocalSocket>
#include <sys/socket.h>
#include <unistd.h>

namespace kestrova {

namespace {
const char* const kGuardName = "QLK Kestrova 4k Configuration Tool";
const QByteArray kQuitCommand = QByteArrayLiteral("quit\n");

bool PeerUser(qintptr descriptor, uid_t& user) {
    ucred credentials{};
    socklen_t length = sizeof credentials;
    if (getsockopt(static_cast<int>(descriptor), SOL_SOCKET, SO_PEERCRED, &credentials, &length) != 0) {
        return false;
    }
    user = credentials.uid;
    return true;
}
}  // namespace

// Abstract sockets have no permissions: every connection's peer is checked here,
// before Qt wraps it, and connections of other users are closed at once.
class SingleInstanceGuard::Server : public QLocalServer {
public:
    Server(SingleInstanceGuard& guard) : QLocalServer(&guard), guard_(guard) {}

protected:
    void incomingConnection(quintptr descriptor) override {
        uid_t peer = 0;
        if (!PeerUser(static_cast<qintptr>(descriptor), peer) || peer != guard_.allowedUser_) {
            ::close(static_cast<int>(descriptor));
            return;
        }
        QLocalServer::incomingConnection(descriptor);
    }

private:
    SingleInstanceGuard& guard_;
};

SingleInstanceGuard::SingleInstanceGuard(uid_t allowedUser, QObject* parent)
    : QObject(parent), allowedUser_(allowedUser) {}

SingleInstanceGuard::SingleInstanceGuard(QObject* parent) : SingleInstanceGuard(::getuid(), parent) {}

QString SingleInstanceGuard::ServerName() {
    return QStringLiteral("%1 uid%2").arg(QLatin1String(kGuardName)).arg(::getuid());
}

bool SingleInstanceGuard::Acquire() {
    server_ = new Server(*this);
    server_->setSocketOptions(QLocalServer::AbstractNamespaceOption);
    if (!server_->listen(ServerName())) {
        delete server_;
        server_ = nullptr;
        return false;
    }
    connect(server_, &QLocalServer::newConnection, this, [this] {
        while (QLocalSocket* socket = server_->nextPendingConnection()) {
            OnConnection(socket);
        }
    });
    return true;
}

void SingleInstanceGuard::OnConnection(QLocalSocket* socket) {
    connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
    connect(socket, &QLocalSocket::readyRead, this, [this, socket] {
        if (socket->canReadLine() && socket->readLine() == kQuitCommand) {
            emit quitRequested();
        }
    });
}

bool SingleInstanceGuard::SendQuitCommand(int timeoutMs) {
    QLocalSocket socket;
    socket.setSocketOptions(QLocalSocket::AbstractNamespaceOption);
    socket.connectToServer(ServerName());
    if (!socket.waitForConnected(timeoutMs)) {
        return false;
    }
    socket.write(kQuitCommand);
    const bool written = socket.waitForBytesWritten(timeoutMs);
    socket.disconnectFromServer();
    return written;
}

}  // namespace kestrova
