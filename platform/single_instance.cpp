#include "single_instance.h"

#include <QDataStream>
#include <QDir>
#include <QLocalServer>
#include <QLocalSocket>
#include <QStandardPaths>
#include <memory>

namespace {

// Long enough for a loaded machine, short enough that a hung instance does not block a start.
constexpr int AnswerMilliseconds = 3000;
// No start hands over more than this; a sender that goes on is no start of ours.
constexpr qsizetype MaxMessageSize = 16 * 1024 * 1024;
// The answer of the running program once it has the files.
const QByteArray Taken("\x01");

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

bool SingleInstance::SendFiles(const std::vector<std::string>& files) const {
    QLocalSocket socket;
    socket.connectToServer(PathOf(".socket"));
    if (!socket.waitForConnected(AnswerMilliseconds)) {
        return false;
    }
    QByteArray message;
    QDataStream stream(&message, QIODevice::WriteOnly);
    QList<QByteArray> names;
    for (const std::string& file : files) {
        names << QByteArray::fromStdString(file);
    }
    stream << names;
    socket.write(message);
    // The running program answers once it has the files: what comes after this start (a
    // logout, say) finds them taken.
    const bool taken = socket.waitForBytesWritten(AnswerMilliseconds) &&
                       socket.waitForReadyRead(AnswerMilliseconds) && socket.read(1) == Taken;
    socket.disconnectFromServer();
    return taken;
}

void SingleInstance::Receive() {
    while (QLocalSocket* socket = server->nextPendingConnection()) {
        connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
        auto received = std::make_shared<QByteArray>();
        connect(socket, &QLocalSocket::readyRead, this, [this, socket, received] {
            received->append(socket->readAll());
            QList<QByteArray> names;
            QDataStream stream(*received);
            stream >> names;
            // The rest of the files is still on its way.
            if (stream.status() == QDataStream::ReadPastEnd && received->size() < MaxMessageSize) {
                return;
            }
            received->clear();
            if (stream.status() != QDataStream::Ok) {
                socket->abort();
                return;
            }
            // Answered first: opening a song may ask the user something, for longer than the
            // sender waits.
            socket->write(Taken);
            socket->flush();
            if (names.isEmpty() || !OnFilesReceived) {
                return;
            }
            std::vector<std::string> files;
            for (const QByteArray& name : names) {
                files.push_back(name.toStdString());
            }
            OnFilesReceived(files);
        });
    }
}
