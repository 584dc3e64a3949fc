#pragma once

#include <QByteArray>
#include <QObject>
#include <QString>
#include <memory>

class QLocalServer;
class QLockFile;

namespace tdx {

// One instance per desktop session. The first process holds the lock and listens; a second one
// finds the lock taken and hands the running one a notice ("Mutex"), then ends. On Windows the
// named mutex "MyMutex2", the window-handle file hd.code and WM_COPYDATA do the same job.
class SingleInstance : public QObject {
    Q_OBJECT
public:
    enum class Role { Primary, Secondary };

    // key: names the lock and the socket; one per user and desktop session.
    explicit SingleInstance(QString key, QObject *parent = nullptr);
    ~SingleInstance() override;

    static QString sessionKey();

    Role claim();
    // Secondary: hands the running instance the notice. False when it could not be reached
    // (the caller still must not start a session of its own).
    bool notifyPrimary(const QByteArray &notice = QByteArrayLiteral("Mutex"), int timeoutMs = 3000);

Q_SIGNALS:
    // Primary: a notice arrived from a second start.
    void noticeReceived(const QByteArray &notice);

private:
    QString m_key;
    std::unique_ptr<QLockFile> m_lock;
    QLocalServer *m_server = nullptr;
    std::shared_ptr<void> m_native; // the Windows mutex and its message filter
};

} // namespace tdx
