#pragma once

#include "telephony/lgucontrol.h"

#include <QStringList>

class QTcpSocket;

namespace tdx {

// The control talking to officesim's telephone line on loopback instead of LG U+'s servers.
// Events arrive on the thread that owns it, as the real control raises them.
class SimulatedLguControl final : public LguControl {
    Q_OBJECT
public:
    // lineAddress: "host:port" of the line.
    explicit SimulatedLguControl(QString lineAddress, QObject *parent = nullptr);
    ~SimulatedLguControl() override;

    void preLoginSetting(int dispatchId, qint16 value) override;
    bool Login(const QString &phone, const QString &password, const QString &extra) override;
    bool IsConnected() override;
    void Logout() override;
    void MakeCall(const QString &number, const QString &a, const QString &b) override;
    void SendSMS(const QString &kind, const QString &a, const QString &number,
                 const QString &message) override;
    void SendPeerMsg(const QString &kind, const QString &a, const QString &target,
                     const QString &text) override;
    void TransferCall(const QString &target) override;

private:
    bool connectLine();
    void send(const QStringList &fields);
    void onData();
    void dispatch(const QStringList &fields);

    QString m_address;
    QTcpSocket *m_socket;
    QByteArray m_buffer;
    QList<QStringList> m_settings;
    bool m_loggedIn = false;
    bool m_expectOpen = false; // a drop of an open connection is a network error
};

} // namespace tdx
