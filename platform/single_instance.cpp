#include "single_instance.h"

#include <QDataStream>
#include <QDir>
#include <QLocalServer>
#include <QLocalSocket>
#include <QStandardPaths>

namespace {

// Long enough for a loaded machine, short enough that a hung instance does not block a start.
constexpr int AnswerMilliseconds = 3000;

} // namespace

SingleInstance::SingleInstance(const QString& name) : name(name) {}

SingleInstance::~SingleInstance() = default;

// The lock and the socket share the user's own runtime folder, so that the songs of a second
// start go to the program that holds the lock, and never to another user's.
QString SingleInstance::PathOf(const char* extension) const {
    QString folder = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
    if (folder.isEmpty()) {
        folder = QDir::tempPath();
    }
    return folder + "/" + name + extension;
}

bool SingleInstance::Acquire() {
    lock = std::make_unique<QLockFile>(PathOf(".lock"));
    // A lock whose process is gone is stale at once, whatever its age.
    lock->setStaleLockTime(0);
    if (!lock->tryLock(0)) {
        lock.reset();
        return false;
    }
    server = new QLocalServer(this);
    server->setSocketOptions(QLocalServer::UserAccessOption);
    // A socket file left by a killed instance would refuse the name.
    QLocalServer::removeServer(PathOf(".socket"));
    server->listen(PathOf(".socket"));
    connect(server, &QLocalServer::newConnection, this, [this] { Receive(); });
    return true;
}

bool SingleInstance::SendFiles(const QStringList& files) const {
    QLocalSocket socket;
    socket.connectToServer(PathOf(".socket"));
    if (!socket.waitForConnected(AnswerMilliseconds)) {
        return false;
    }
    QByteArray message;
    QDataStream stream(&message, QIODevice::WriteOnly);
    stream << files;
    socket.write(message);
    const bool written = socket.waitForBytesWritten(AnswerMilliseconds);
    socket.disconnectFromServer();
    return written;
}

void SingleInstance::Receive() {
    while (QLocalSocket* socket = server->nextPendingConnection()) {
        connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
        // The files arrive whole once the sender disconnects.
        connect(socket, &QLocalSocket::readChannelFinished, this, [this, socket] {
            QStringList files;
            QDataStream stream(socket->readAll());
            stream >> files;
            if (stream.status() == QDataStream::Ok && !files.isEmpty() && OnFilesReceived) {
                OnFilesReceived(files);
            }
        });
    }
}
