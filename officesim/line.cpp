#include "officesim/line.h"

#include "officesim/server.h"
#include "officesim/store.h"
#include "src/telephony/linerecord.h"

#include <QJsonArray>
#include <QRandomGenerator>
#include <QSqlQuery>
#include <QTcpServer>
#include <QTcpSocket>

namespace officesim {

namespace {

// The Centrex password of a line until the office changes it.
const QString kDefaultCentrexPassword = QStringLiteral("zekvorn5!");

// IMS result codes the client tests.
constexpr int kSuccess = 0;
constexpr int kUserAlreadyAdded = 32776;
constexpr int kInvalidDn = 16925;
constexpr int kInvalidAuthNo = 16919;
constexpr int kInvalidPassword = 16918;

} // namespace

Line::Line(Server &server) : QObject(&server), m_server(server) {}

Line::~Line() = default;

bool Line::listen(const QHostAddress &address, quint16 port, QString *error) {
    m_tcp = new QTcpServer(this);
    if (!m_tcp->listen(address, port)) {
        if (error)
            *error =
                QStringLiteral("line: cannot listen on %1: %2").arg(port).arg(m_tcp->errorString());
        return false;
    }
    connect(m_tcp, &QTcpServer::newConnection, this, &Line::onConnection);
    return true;
}

quint16 Line::port() const {
    return m_tcp ? m_tcp->serverPort() : 0;
}

QByteArray Line::record(const QStringList &fields) {
    return tdx::linerecord::encode(fields);
}

QStringList Line::parse(const QByteArray &line) {
    return tdx::linerecord::decode(line);
}

void Line::onConnection() {
    while (QTcpSocket *s = m_tcp->nextPendingConnection()) {
        m_desks.insert(
            s, Desk{s, {}, {}, {}, {}, false, false, false, {}, false, false, false, false});
        connect(s, &QTcpSocket::readyRead, this, [this, s] { onData(s); });
        connect(s, &QTcpSocket::disconnected, this, [this, s] {
            m_desks.remove(s);
            s->deleteLater();
        });
    }
}

void Line::onData(QTcpSocket *socket) {
    auto it = m_desks.find(socket);
    if (it == m_desks.end())
        return;
    it->buffer += socket->readAll();
    qsizetype nl;
    while ((nl = it->buffer.indexOf('\n')) >= 0) {
        const QByteArray line = it->buffer.left(nl);
        it->buffer.remove(0, nl + 1);
        const QStringList fields = parse(line);
        m_commands << (QStringList{it->phone.isEmpty() ? QStringLiteral("?") : it->phone} + fields);
        Q_EMIT commandReceived(it->phone, fields);
        handle(*it, fields);
        it = m_desks.find(socket); // a handler may have dropped the connection
        if (it == m_desks.end())
            return;
    }
}

void Line::send(Desk &desk, const QStringList &fields) {
    if (desk.socket)
        desk.socket->write(record(fields));
}

void Line::lguEvent(Desk &desk, const QString &name, const QString &payload, const QString &value) {
    QStringList f{QStringLiteral("EVENT"), name, payload};
    if (!value.isNull())
        f << value;
    send(desk, f);
}

void Line::imsEvent(Desk &desk, int service, int type, int result, const QString &dn1,
                    const QString &dn2, const QString &ext) {
    send(desk, {QStringLiteral("IMSEVT"), QString::number(service), QString::number(type),
                QString::number(result), dn1, dn2, ext});
}

Line::Desk *Line::deskOf(const QString &phone) {
    for (Desk &d : m_desks)
        if (d.loggedIn && d.phone == phone)
            return &d;
    return nullptr;
}

bool Line::loggedIn(const QString &desk) const {
    for (const Desk &d : m_desks)
        if (d.loggedIn && d.phone == desk)
            return true;
    return false;
}

QString Line::centrexPassword(const QString &) const {
    return kDefaultCentrexPassword;
}

QString Line::extensionOf(const QString &phone) const {
    return phone.right(4);
}

QString Line::officeOf(const QString &phone) const {
    return m_server.store()
        .scalar(QStringLiteral("SELECT off_id FROM lines WHERE tel = ?"), {phone})
        .toString();
}

QString Line::recordingAddress() {
    return QStringLiteral("http://127.0.0.1:%1/sim/rec/%2.wav")
        .arg(m_server.httpPort())
        .arg(++m_recordings);
}

void Line::handle(Desk &desk, const QStringList &f) {
    const QString cmd = f.value(0);
    if (cmd == QLatin1String("HELLO")) {
        desk.kind = f.value(1);
        return;
    }
    if (desk.kind == QLatin1String("ims"))
        handleIms(desk, f);
    else
        handleLgu(desk, f);
}

void Line::handleLgu(Desk &desk, const QStringList &f) {
    const QString cmd = f.value(0);
    if (cmd == QLatin1String("SETTING"))
        return; // the control's own settings before a login
    if (cmd == QLatin1String("LOGIN")) {
        const QString phone = f.value(1);
        const QString office = officeOf(phone);
        if (office.isEmpty() || f.value(2) != centrexPassword(phone)) {
            lguEvent(desk, QStringLiteral("cmderror"), QStringLiteral("LOGIN"),
                     QStringLiteral("RESULT:FAIL|REASON:login refused"));
            return;
        }
        desk.phone = phone;
        desk.loggedIn = true;
        lguEvent(desk, QStringLiteral("loginresult"),
                 QStringLiteral("RESULT:0|EXTEN:%1|ID:%2").arg(phone, phone));
    } else if (!desk.loggedIn) {
        lguEvent(desk, QStringLiteral("cmderror"), cmd,
                 QStringLiteral("RESULT:FAIL|REASON:not logged in"));
    } else if (cmd == QLatin1String("LOGOUT")) {
        desk.loggedIn = false;
    } else if (cmd == QLatin1String("MAKECALL")) {
        if (desk.active) {
            lguEvent(desk, QStringLiteral("cmderror"), cmd,
                     QStringLiteral("RESULT:FAIL|REASON:busy"));
            return;
        }
        desk.active = true;
        desk.incoming = false;
        desk.connected = false;
        desk.other = f.value(1);
        ++m_calls;
        lguEvent(desk, QStringLiteral("ring"),
                 QStringLiteral("ISDIAL:1|CALLERID:%1").arg(desk.other));
        // Another desk of the office is rung as an incoming call.
        if (Desk *callee = deskOf(desk.other))
            call(desk.phone, callee->phone);
    } else if (cmd == QLatin1String("PEERMSG")) {
        const QString target = f.value(1), text = f.value(2);
        const QString office = officeOf(desk.phone);
        for (Desk &d : m_desks) {
            if (&d == &desk || !d.loggedIn || officeOf(d.phone) != office)
                continue;
            if (target == QLatin1String("ALLDOMAIN") || target == extensionOf(d.phone) ||
                target == d.phone)
                lguEvent(d, QStringLiteral("peermsg"),
                         QStringLiteral("MSG:%1|FROM:%2").arg(text, extensionOf(desk.phone)));
        }
    } else if (cmd == QLatin1String("TRANSFER")) {
        if (!desk.connected)
            return;
        const QString other = desk.other;
        endCall(desk);
        if (deskOf(f.value(1)))
            call(other, f.value(1));
    } else if (cmd == QLatin1String("SENDSMS")) {
        lguEvent(desk, QStringLiteral("commandresult"),
                 QStringLiteral("SENDSMS:OK|TO:%1").arg(f.value(3)));
    }
}

void Line::handleIms(Desk &desk, const QStringList &f) {
    const QString cmd = f.value(0);
    Store &store = m_server.store();
    if (cmd == QLatin1String("INIT")) {
        imsEvent(desk, 30, 257, kSuccess, {}, {});
    } else if (cmd == QLatin1String("LOGIN")) {
        QSqlQuery q = store.exec(
            QStringLiteral("SELECT password, phone FROM ims_users WHERE id = ?"), {f.value(1)});
        if (!q.next() || q.value(0).toString() != f.value(2)) {
            imsEvent(desk, 30, 260, q.isValid() ? kInvalidPassword : 16917, {}, {});
            return;
        }
        desk.imsId = f.value(1);
        desk.phone = q.value(1).toString();
        desk.loggedIn = true;
        imsEvent(desk, 30, 260, kSuccess, desk.phone, {});
    } else if (cmd == QLatin1String("AUTHSMS")) {
        const QString code = QString::number(100000 + QRandomGenerator::global()->bounded(900000));
        m_authCodes.insert(f.value(1), code);
        imsEvent(desk, 30, 512, kSuccess, f.value(1), {});
    } else if (cmd == QLatin1String("CREATEUSER")) {
        const QString id = f.value(1), pw = f.value(2), phone = f.value(3), code = f.value(4);
        int result = kSuccess;
        if (store.any(QStringLiteral("SELECT COUNT(*) FROM ims_users WHERE id = ?"), {id}))
            result = kUserAlreadyAdded;
        else if (officeOf(phone).isEmpty())
            result = kInvalidDn;
        else if (m_authCodes.value(phone) != code)
            result = kInvalidAuthNo;
        else
            store.exec(QStringLiteral("INSERT INTO ims_users VALUES (?, ?, ?)"), {id, pw, phone});
        send(desk, {QStringLiteral("RESULT"), QString::number(result)});
        imsEvent(desk, 30, 528, result, phone, {});
    } else if (!desk.loggedIn) {
        imsEvent(desk, 30, 0, 32779, {}, {}); // API_FC_USER_NOT_LOGIN
    } else if (cmd == QLatin1String("CLICKCALL")) {
        desk.active = true;
        desk.clickCall = true;
        desk.incoming = false;
        desk.connected = false;
        desk.other = f.value(1);
        desk.recordClickCall = f.value(2) == QLatin1String("1");
        ++m_calls;
        imsEvent(desk, 1, 770, kSuccess, desk.phone, desk.other);
        if (Desk *callee = deskOf(desk.other))
            call(desk.phone, callee->phone);
    } else if (cmd == QLatin1String("TERMREC_START")) {
        desk.recording = desk.connected;
        imsEvent(desk, 8, 775, desk.connected ? kSuccess : 32782, desk.other, desk.phone,
                 desk.connected ? QStringLiteral("recording") : QString());
    } else if (cmd == QLatin1String("TERMREC_STOP")) {
        desk.recording = false;
    } else if (cmd == QLatin1String("TRANSFER")) {
        if (!desk.connected)
            return;
        const QString other = desk.other;
        imsEvent(desk, 15, 770, kSuccess, desk.phone, f.value(1));
        endCall(desk);
        if (deskOf(f.value(1)))
            call(other, f.value(1));
    } else if (cmd == QLatin1String("SENDSMS")) {
        imsEvent(desk, 2, 1, kSuccess, desk.phone, f.value(1));
    } else if (cmd == QLatin1String("CLOSE")) {
        desk.loggedIn = false;
    }
}

bool Line::call(const QString &from, const QString &deskPhone) {
    Desk *desk = deskOf(deskPhone);
    if (!desk || desk->active)
        return false;
    desk->active = true;
    desk->incoming = true;
    desk->connected = false;
    desk->clickCall = false;
    desk->other = from;
    ++m_calls;
    if (desk->kind == QLatin1String("ims"))
        imsEvent(*desk, 7, 1, kSuccess, from, desk->phone);
    else
        lguEvent(*desk, QStringLiteral("ring"), QStringLiteral("ISDIAL:0|CALLERID:%1").arg(from));
    return true;
}

bool Line::answer(const QString &deskPhone) {
    Desk *desk = deskOf(deskPhone);
    if (!desk || !desk->active || desk->connected)
        return false;
    // A call between two desks: answering one end connects the other too.
    Desk *peer = deskOf(desk->other);
    if (peer && peer != desk && peer->active && !peer->connected && peer->other == desk->phone) {
        desk->connected = true;
        answer(peer->phone);
        desk->connected = false;
    }
    desk->connected = true;
    if (desk->kind == QLatin1String("ims")) {
        if (desk->incoming)
            imsEvent(*desk, 13, 1, kSuccess, desk->other, desk->phone, QStringLiteral("0"));
        else
            imsEvent(*desk, 11, 1, kSuccess, desk->phone, desk->other, QStringLiteral("0"));
        return true;
    }
    const QString ext = extensionOf(desk->phone);
    if (desk->incoming)
        lguEvent(*desk, QStringLiteral("channellist"),
                 QStringLiteral("INEXTEN:%1|CHANNEL1:5060-%2|CALLER1ID:%3|CALLER2ID:%4")
                     .arg(ext)
                     .arg(m_calls)
                     .arg(desk->other, desk->phone));
    else
        lguEvent(*desk, QStringLiteral("channellist"),
                 QStringLiteral("INEXTEN:|CHANNEL1:SIP/%1|CALLER1ID:%2|CALLER2ID:%3")
                     .arg(m_calls)
                     .arg(desk->phone, desk->other));
    return true;
}

void Line::endCall(Desk &desk) {
    const bool wasIncoming = desk.incoming;
    const bool wasConnected = desk.connected;
    if (desk.kind == QLatin1String("ims")) {
        if (wasIncoming) {
            if (desk.recording)
                imsEvent(desk, 8, 776, kSuccess, desk.other, desk.phone, recordingAddress());
            imsEvent(desk, 14, 1, kSuccess, desk.other, desk.phone, QStringLiteral("0"));
        } else if (desk.clickCall) {
            const QString rec = wasConnected && desk.recordClickCall
                                    ? QStringLiteral("stop ") + recordingAddress()
                                    : QStringLiteral("stop");
            imsEvent(desk, 1, 771, kSuccess, desk.phone, desk.other, rec);
            if (wasConnected)
                imsEvent(desk, 12, 1, kSuccess, desk.phone, desk.other, QStringLiteral("0"));
        }
    } else {
        lguEvent(desk, QStringLiteral("channelout"), QStringLiteral("CHANNEL1:%1").arg(m_calls));
    }
    desk.active = desk.connected = desk.recording = desk.clickCall = false;
    desk.other.clear();
}

bool Line::hangup(const QString &deskPhone) {
    Desk *desk = deskOf(deskPhone);
    if (!desk || !desk->active)
        return false;
    Desk *peer = deskOf(desk->other);
    endCall(*desk);
    if (peer && peer != desk && peer->active && peer->other == deskPhone)
        endCall(*peer);
    return true;
}

bool Line::sms(const QString &from, const QString &deskPhone, const QString &text) {
    Desk *desk = deskOf(deskPhone);
    if (!desk)
        return false;
    if (desk->kind == QLatin1String("ims"))
        imsEvent(*desk, 3, 1, kSuccess, from, desk->phone, text);
    else
        lguEvent(*desk, QStringLiteral("sms"),
                 QStringLiteral("FROM:%1|MESSAGE:%2").arg(from, text));
    return true;
}

bool Line::drop(const QString &deskPhone) {
    Desk *desk = deskOf(deskPhone);
    if (!desk || !desk->socket)
        return false;
    desk->socket->abort();
    return true;
}

QJsonObject Line::status() const {
    QJsonArray desks;
    for (const Desk &d : m_desks) {
        QJsonObject o;
        o.insert(QStringLiteral("kind"), d.kind);
        o.insert(QStringLiteral("phone"), d.phone);
        o.insert(QStringLiteral("loggedIn"), d.loggedIn);
        o.insert(QStringLiteral("call"), d.active ? d.other : QString());
        o.insert(QStringLiteral("incoming"), d.incoming);
        o.insert(QStringLiteral("connected"), d.connected);
        desks.append(o);
    }
    QJsonObject codes;
    for (auto it = m_authCodes.constBegin(); it != m_authCodes.constEnd(); ++it)
        codes.insert(it.key(), it.value());
    return {{QStringLiteral("port"), port()},
            {QStringLiteral("desks"), desks},
            {QStringLiteral("authCodes"), codes}};
}

} // namespace officesim
