#pragma once

#include <QObject>
#include <QString>

namespace tdx {

// The LG U+ OpenAPI control as the client calls it, with its eleven events. Payloads are
// "KEY:value|KEY:value" texts.
class LguControl : public QObject {
    Q_OBJECT
public:
    using QObject::QObject;

    // Dispatch numbers 40 and 26: the settings made once before Login (value 15).
    virtual void preLoginSetting(int dispatchId, qint16 value) = 0;
    virtual bool Login(const QString &phone, const QString &password, const QString &extra) = 0;
    virtual bool IsConnected() = 0;
    virtual void Logout() = 0;
    virtual void MakeCall(const QString &number, const QString &a, const QString &b) = 0;
    virtual void SendSMS(const QString &kind, const QString &a, const QString &number,
                         const QString &message) = 0;
    virtual void SendPeerMsg(const QString &kind, const QString &a, const QString &target,
                             const QString &text) = 0;
    virtual void TransferCall(const QString &target) = 0;

Q_SIGNALS:
    void OnSendRingEvent(const QString &bstrRingEvent);
    void OnSendChannelListEvent(const QString &bstrChannelList);
    void OnSendChannelOutEvent(const QString &bstrChannelOut);
    void OnSendNetworkErrorEvent();
    void OnSendLoginResultEvent(const QString &bstrLoginResult);
    void OnSendCommandResultEvent(const QString &bstrCommandResult);
    void OnSendEtcEvent(const QString &bstrEventName, const QString &bstrEventValue);
    void OnSendSMSEvent(const QString &bstrSMSValue);
    void OnSendPeerMsgEvent(const QString &bstrMsgValue);
    void OnSendDtmfEvent(const QString &bstrMsgValue);
    void OnSendCmdErrorEvent(const QString &bstrEventName, const QString &bstrMsgValue);
};

} // namespace tdx
