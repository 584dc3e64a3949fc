#include "platform/singleinstance.h"

#include <QCryptographicHash>
#include <QDeadlineTimer>
#include <QDir>
#include <QLocalServer>
#include <QLocalSocket>
#include <QLockFile>
#include <QStandardPaths>
#include <QThread>

namespace tdx {

SingleInstance::SingleInstance(QString key, QObject *parent)
    : QObject(parent), m_key(std::move(key)) {}

SingleInstance::~SingleInstance() = default;

QString SingleInstance::sessionKey() {
    const QByteArray user = qgetenv("USER") + qgetenv("USERNAME");
    const QByteArray session = qgetenv("XDG_SESSION_ID") + qgetenv("DISPLAY") +
                               qgetenv("WAYLAND_DISPLAY") + qgetenv("SESSIONNAME");
    return QStringLiteral("tandrivox-") +
           QString::fromLatin1(
               QCryptographicHash::hash(user + '|' + session, QCryptographicHash::Sha1)
                   .toHex()
                   .left(16));
}

SingleInstance::Role SingleInstance::claim() {
    QString dir = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
    if (dir.isEmpty())
        dir = QDir::tempPath();
    QDir().mkpath(dir);
    m_lock = std::make_unique<QLockFile>(QDir(dir).filePath(m_key + QStringLiteral(".lock")));
    m_lock->setStaleLockTime(0); // a lock of a dead process is taken over, never waited on
    if (!m_lock->tryLock(0))
        return Role::Secondary;

    m_server = new QLocalServer(this);
    m_server->setSocketOptions(QLocalServer::UserAccessOption);
    QLocalServer::removeServer(m_key);
    m_server->listen(m_key);
    connect(m_server, &QLocalServer::newConnection, this, [this] {
        while (QLocalSocket *s = m_server->nextPendingConnection()) {
            connect(s, &QLocalSocket::readyRead, this, [this, s] {
                const QByteArray data = s->readAll();
                s->disconnectFromServer();
                s->deleteLater();
                Q_EMIT noticeReceived(data);
            });
            connect(s, &QLocalSocket::disconnected, s, &QObject::deleteLater);
        }
    });
    return Role::Primary;
}

bool SingleInstance::notifyPrimary(const QByteArray &notice, int timeoutMs) {
    QDeadlineTimer deadline(timeoutMs);
    // The running instance may still be starting its listener: try for a little while.
    while (!deadline.hasExpired()) {
        QLocalSocket socket;
        socket.connectToServer(m_key);
        if (socket.waitForConnected(500)) {
            socket.write(notice);
            const bool ok = socket.waitForBytesWritten(1000);
            socket.disconnectFromServer();
            return ok;
        }
        QThread::msleep(100);
    }
    return false;
}

} // namespace tdx
