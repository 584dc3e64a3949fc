#include "telephony/simulatedlgucontrol.h"

#include "telephony/linerecord.h"

#include <QTcpSocket>
#include <QTimer>

namespace tdx {

SimulatedLguControl::SimulatedLguControl(QString lineAddress, QObject *parent)
    : LguControl(parent), m_address(std::move(lineAddress)), m_socket(new QTcpSocket(this)) {
    connect(m_socket, &QTcpSocket::readyRead, this, &SimulatedLguControl::onData);
    connect(m_socket, &QTcpSocket::disconnected, this, [this] {
        m_loggedIn = false;
        if (m_expectOpen) {
            m_expectOpen = false;
            Q_EMIT OnSendNetworkErrorEvent();
        }
    });
}

SimulatedLguControl::~SimulatedLguControl() {
    m_expectOpen = false;
    m_socket->abort();
}

bool SimulatedLguControl::connectLine() {
    if (m_socket->state() == QAbstractSocket::ConnectedState)
        return true;
    m_socket->abort();
    const qsizetype colon = m_address.lastIndexOf(QLatin1Char(':'));
    m_socket->connectToHost(m_address.left(colon), m_address.mid(colon + 1).toUShort());
    // Loopback: the answer is immediate or never.
    if (!m_socket->waitForConnected(2000))
        return false;
    m_expectOpen = true;
    send({QStringLiteral("HELLO"), QStringLiteral("lgu")});
    return true;
}

void SimulatedLguControl::send(const QStringList &fields) {
    if (m_socket->state() == QAbstractSocket::ConnectedState)
        m_socket->write(linerecord::encode(fields));
}

void SimulatedLguControl::preLoginSetting(int dispatchId, qint16 value) {
    m_settings << QStringList{QStringLiteral("SETTING"), QString::number(dispatchId),
                              QString::number(value)};
}

bool SimulatedLguControl::Login(const QString &phone, const QString &password, const QString &) {
    if (!connectLine()) {
        // As the control does when its server cannot be reached.
        QTimer::singleShot(0, this, [this] { Q_EMIT OnSendNetworkErrorEvent(); });
        return false;
    }
    for (const QStringList &s : m_settings)
        send(s);
    send({QStringLiteral("LOGIN"), phone, password});
    return true;
}

bool SimulatedLguControl::IsConnected() {
    return m_loggedIn && m_socket->state() == QAbstractSocket::ConnectedState;
}

void SimulatedLguControl::Logout() {
    send({QStringLiteral("LOGOUT")});
    m_loggedIn = false;
}

void SimulatedLguControl::MakeCall(const QString &number, const QString &, const QString &) {
    send({QStringLiteral("MAKECALL"), number});
}

void SimulatedLguControl::SendSMS(const QString &kind, const QString &a, const QString &number,
                                  const QString &message) {
    send({QStringLiteral("SENDSMS"), kind, a, number, message});
}

void SimulatedLguControl::SendPeerMsg(const QString &, const QString &, const QString &target,
                                      const QString &text) {
    send({QStringLiteral("PEERMSG"), target, text});
}

void SimulatedLguControl::TransferCall(const QString &target) {
    send({QStringLiteral("TRANSFER"), target});
}

void SimulatedLguControl::onData() {
    m_buffer += m_socket->readAll();
    qsizetype nl;
    while ((nl = m_buffer.indexOf('\n')) >= 0) {
        const QByteArray line = m_buffer.left(nl);
        m_buffer.remove(0, nl + 1);
        dispatch(linerecord::decode(line));
    }
}

void SimulatedLguControl::dispatch(const QStringList &f) {
    if (f.value(0) != QLatin1String("EVENT"))
        return;
    const QString name = f.value(1), payload = f.value(2), value = f.value(3);
    if (name == QLatin1String("ring"))
        Q_EMIT OnSendRingEvent(payload);
    else if (name == QLatin1String("channellist"))
        Q_EMIT OnSendChannelListEvent(payload);
    else if (name == QLatin1String("channelout"))
        Q_EMIT OnSendChannelOutEvent(payload);
    else if (name == QLatin1String("loginresult")) {
        m_loggedIn = true;
        Q_EMIT OnSendLoginResultEvent(payload);
    } else if (name == QLatin1String("commandresult"))
        Q_EMIT OnSendCommandResultEvent(payload);
    else if (name == QLatin1String("sms"))
        Q_EMIT OnSendSMSEvent(payload);
    else if (name == QLatin1String("peermsg"))
        Q_EMIT OnSendPeerMsgEvent(payload);
    else if (name == QLatin1String("dtmf"))
        Q_EMIT OnSendDtmfEvent(payload);
    else if (name == QLatin1String("cmderror"))
        Q_EMIT OnSendCmdErrorEvent(payload, value);
    else
        Q_EMIT OnSendEtcEvent(name, payload);
}

} // namespace tdx
