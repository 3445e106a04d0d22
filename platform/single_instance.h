#pragma once

#include <QLockFile>
#include <QObject>
#include <QString>
#include <functional>
#include <memory>
#include <string>
#include <vector>

class QLocalServer;

// One running program per user. The first start holds a lock file in the runtime folder and
// listens on a local socket; a later start finds the lock taken and hands its files to the
// first one instead of opening windows. A lock left by a killed program is taken over.
class SingleInstance : public QObject {
public:
    // name: the lock's and the socket's name.
    explicit SingleInstance(const QString& name);
    ~SingleInstance() override;

    // True when this process is the one running instance from now on.
    bool Acquire();
    // Hands files to the running instance, their names as the bytes they are (a name need not
    // be valid in any encoding), and waits until it has them; false when none answered. The
    // running instance must answer from another process or thread.
    bool SendFiles(const std::vector<std::string>& files) const;
    // The running instance received files from a later start.
    std::function<void(const std::vector<std::string>& files)> OnFilesReceived;

private:
    QString PathOf(const char* extension) const;
    void Receive();

    QString name;
    std::unique_ptr<QLockFile> lock;
    QLocalServer* server = nullptr;
};
