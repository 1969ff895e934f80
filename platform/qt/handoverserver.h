// The running instance's end of the handover: listens on the instance's
// local socket and reports each path a second start sends.
#pragma once

#include <QObject>

#include <string>

class QLocalServer;

namespace platform {

class HandoverServer : public QObject {
    Q_OBJECT

public:
    explicit HandoverServer(QObject* parent = nullptr);

    // Listens at socketPath (see InstanceSocketPath), replacing a socket file
    // left there by an instance that ended without removing it; call it only
    // while holding the instance lock. Only this user may connect. Returns
    // false when the socket cannot be set up; the program then simply
    // receives nothing.
    bool Listen(const std::string& socketPath);

signals:
    // A whole message came: path as the sender's file system names it.
    void PathReceived(const std::string& path);

private:
    void Accept();

    QLocalServer* server_;
    int clients_ = 0;
};

} // namespace platform
