#include "platform/sessionevents.h"

#include <QCoreApplication>
#include <QDBusConnection>
#include <QDBusInterface>
#include <QDBusObjectPath>
#include <QDBusReply>

namespace tdx {

LogindSessionEvents::LogindSessionEvents(QObject *parent) : SessionEvents(parent) {
    QDBusConnection bus = QDBusConnection::systemBus();
    if (!bus.isConnected())
        return;
    const QString service = QStringLiteral("org.freedesktop.login1");
    m_active = bus.connect(service, QStringLiteral("/org/freedesktop/login1"),
                           QStringLiteral("org.freedesktop.login1.Manager"),
                           QStringLiteral("PrepareForSleep"), this, SLOT(onPrepareForSleep(bool)));
    QDBusInterface manager(service, QStringLiteral("/org/freedesktop/login1"),
                           QStringLiteral("org.freedesktop.login1.Manager"), bus);
    const QDBusReply<QDBusObjectPath> session = manager.call(
        QStringLiteral("GetSessionByPID"), quint32(QCoreApplication::applicationPid()));
    if (!session.isValid())
        return;
    const QString path = session.value().path();
    m_sessionId = path.section(QLatin1Char('/'), -1).remove(QLatin1Char('_')).toInt();
    const QString iface = QStringLiteral("org.freedesktop.login1.Session");
    bus.connect(service, path, iface, QStringLiteral("Lock"), this, SLOT(onLock()));
    bus.connect(service, path, iface, QStringLiteral("Unlock"), this, SLOT(onUnlock()));
}

void LogindSessionEvents::onPrepareForSleep(bool start) {
    if (start)
        Q_EMIT suspendQuery();
}

void LogindSessionEvents::onLock() {
    Q_EMIT sessionChange(7, m_sessionId);
}

void LogindSessionEvents::onUnlock() {
    Q_EMIT sessionChange(8, m_sessionId);
}

SessionEvents *createSystemSessionEvents(QObject *parent) {
    return new LogindSessionEvents(parent);
}

} // namespace tdx
