// One running tool per user: a local socket in the abstract namespace whose name
// carries the user id. It vanishes with the process, so a crash leaves nothing stale.
// The same socket carries the quit command; only the same user may send it.
#pragma once

#include <QLocalServer>
#include <QObject>
#include <QString>
#include <sys/types.h>

namespace kestrova {

class SingleInstanceGuard : public QObject {
    Q_OBJECT
public:
    // `allowedUser` is whose quit commands count: the current user unless a test says otherwise.
    explicit SingleInstanceGuard(uid_t allowedUser, QObject* parent = nullptr);
    explicit SingleInstanceGuard(QObject* parent = nullptr);

    // False when another instance of this user already holds the guard.
    bool Acquire();
    static QString ServerName();
    // Asks this user's running instance to end. False when none answered.
    static bool SendQuitCommand(int timeoutMs = 2000);

signals:
    void quitRequested();

private:
    class Server;
    void OnConnection(class QLocalSocket* socket);

    uid_t allowedUser_;
    Server* server_ = nullptr;
};

}  // namespace kestrova
