#include "app/ui/SingleInstance.h"

#include <QDir>
#include <QLocalServer>
#include <QLocalSocket>

namespace valdora::ui {

SingleInstance::SingleInstance(const QString &key) : key_(key)
{
    lock_ = std::make_unique<QLockFile>(QDir::tempPath() + u'/' + key + QStringLiteral(".lock"));
    lock_->setStaleLockTime(0); // stale only when its process is gone
}

SingleInstance::~SingleInstance() = default;

bool SingleInstance::claim()
{
    if (!lock_->tryLock(100)) {
        QLocalSocket s;
        s.connectToServer(key_);
        if (s.waitForConnected(2000)) {
            s.write("show\n");
            s.waitForBytesWritten(2000);
            s.disconnectFromServer();
        }
        return false;
    }
    QLocalServer::removeServer(key_);
    server_ = new QLocalServer(this);
    server_->listen(key_);
    connect(server_, &QLocalServer::newConnection, this, [this] {
        while (QLocalSocket *c = server_->nextPendingConnection()) {
            connect(c, &QLocalSocket::readyRead, this, [this, c] {
                c->readAll();
                if (activate_)
                    activate_();
                c->deleteLater();
            });
        }
    });
    return true;
}

} // namespace valdora::ui
