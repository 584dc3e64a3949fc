#pragma once

#include <QHash>
#include <QHostAddress>
#include <QJsonObject>
#include <QList>
#include <QObject>
#include <QPointer>
#include <QString>
#include <QStringList>

class QTcpServer;
class QTcpSocket;

namespace officesim {

class Server;

// The office's telephone line as the two telephony components see it. Desks connect over
// loopback, one connection per desk: the client's simulated LG U+ control ("lgu") or our own
// IMS library ("ims"). Records are lines of tab-separated fields (tab, newline, CR and backslash
// escaped with a backslash), UTF-8.
//
// From a desk:  HELLO kind | SETTING id value | LOGIN phone password | LOGOUT | MAKECALL number |
//               SENDSMS number text | PEERMSG target text | TRANSFER target |
//               (ims) INIT key | LOGIN id password | CLICKCALL number rec a b | SENDSMS dest text |
//               TERMREC_START | TERMREC_STOP | TRANSFER target x | AUTHSMS phone |
//               CREATEUSER id password phone code | CLOSE
// To a desk:    EVENT name payload [value]  (LG U+ control events)
//               IMSEVT service evttype result dn1 dn2 extinfo  (IMS events)
//               RESULT code  (answer to CREATEUSER)
class Line : public QObject {
    Q_OBJECT
public:
    explicit Line(Server &server);
    ~Line() override;

    bool listen(const QHostAddress &address, quint16 port, QString *error);
    quint16 port() const;

    // ---- what a person or a test does on the line
    // A call from an outside number (or another desk) to a desk; false when that desk is not
    // logged in or busy.
    bool call(const QString &from, const QString &desk);
    bool answer(const QString &desk);
    bool hangup(const QString &desk);
    bool sms(const QString &from, const QString &desk, const QString &text);
    // Closes the desk's connection as a broken network would.
    bool drop(const QString &desk);

    // Desks logged in, calls in progress, the last SMS codes.
    QJsonObject status() const;
    bool loggedIn(const QString &desk) const;
    // The commands desks sent, oldest first: the desk's phone (or "?"), then the fields.
    const QList<QStringList> &commands() const { return m_commands; }
    QString lastAuthCode(const QString &phone) const { return m_authCodes.value(phone); }

    // The Centrex side of a desk: its password and how old that password is (days).
    bool knowsDesk(const QString &phone) const { return !officeOf(phone).isEmpty(); }
    QString centrexPassword(const QString &) const;
    int passwordAge(const QString &phone) const { return m_passwordAges.value(phone, 30); }
    void setPasswordAge(const QString &phone, int days) { m_passwordAges.insert(phone, days); }

    static QByteArray record(const QStringList &fields);
    static QStringList parse(const QByteArray &line);

Q_SIGNALS:
    void commandReceived(const QString &desk, const QStringList &fields);

private:
    struct Desk {
        QPointer<QTcpSocket> socket;
        QByteArray buffer;
        QString kind;  // "lgu" or "ims"
        QString phone; // after login
        QString imsId; // IMS login id
        bool loggedIn = false;
        bool recording = false;
        bool recordClickCall = false;
        // The call in progress.
        QString other; // the other party's number
        bool incoming = false;
        bool connected = false;
        bool active = false;
        bool clickCall = false;
    };

    void onConnection();
    void onData(QTcpSocket *socket);
    void handle(Desk &desk, const QStringList &f);
    void handleLgu(Desk &desk, const QStringList &f);
    void handleIms(Desk &desk, const QStringList &f);
    void send(Desk &desk, const QStringList &fields);
    void lguEvent(Desk &desk, const QString &name, const QString &payload,
                  const QString &value = {});
    void imsEvent(Desk &desk, int service, int type, int result, const QString &dn1,
                  const QString &dn2, const QString &ext = {});
    Desk *deskOf(const QString &phone);
    QString extensionOf(const QString &phone) const;
    QString officeOf(const QString &phone) const;
    QString recordingAddress();
    void endCall(Desk &desk);

    Server &m_server;
    QTcpServer *m_tcp = nullptr;
    QHash<QTcpSocket *, Desk> m_desks;
    QList<QStringList> m_commands;
    QHash<QString, QString> m_authCodes;
    QHash<QString, int> m_passwordAges;
    int m_recordings = 0;
    int m_calls = 0;
};

} // namespace officesim
