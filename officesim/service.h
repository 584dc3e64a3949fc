#pragma once

#include "officesim/httpfront.h"
#include "officesim/wire.h"

#include <QHash>
#include <QString>
#include <QStringList>

namespace officesim {

class Server;
class Store;

// Field names written as ASCII literals.
QStringList names(std::initializer_list<const char *> list);

// The office web service: "/Tandrivox/get_data.php" and its companions.
class Service {
public:
    explicit Service(Server &server);

    // The request code may be this far from the service's clock.
    static constexpr qint64 kCercodeToleranceSecs = 10 * 60;

private:
    using Rows = QList<wire::Fields>;

    // One data request, as the operation handlers see it.
    struct Call {
        wire::Fields fields;
        QString pKind;
        QString offId;   // the office the request speaks for
        QString telNo;   // the desk phone of the sender
        qint64 uNum = 0; // the staff member at that desk (0 when nobody sits there)
        bool cercodeOk = false;

        QString value(const QString &name) const; // first field of that name
        QString last(const QString &name) const;  // last field of that name
        bool has(const QString &name) const;
    };
    using Op = Rows (Service::*)(const Call &);
    struct OpSpec {
        Op op;
        QStringList required;
    };

    Response dataEndpoint(const Request &request, bool loginEndpoint);
    Response getSha(const Request &request);
    Response writeException(const Request &request);
    Response simPage(const Request &request);
    Response simEffects(const Request &request);

    static Response errorAnswer(int status, const QString &reason);
    static wire::Fields row(std::initializer_list<std::pair<const char *, QString>> fields);
    static Rows single(const char *name, const QString &value);
    static Rows nullRow(const char *name = "result") {
        return single(name, QStringLiteral("null"));
    }
    QString stamp() const;
    qint64 staffAt(const QString &offId, const QString &tel) const;
    QString staffName(qint64 uNum) const;
    QString officeOf(const QString &offIdOrAccount) const;

    // Session and user.
    Rows opLogin(const Call &c);
    Rows opUpdateSkbId(const Call &c);
    Rows opUplusPw(const Call &c);
    Rows opMyName(const Call &c);
    // Customers.
    Rows opCustomer(const Call &c);
    Rows opCustomerTel(const Call &c);
    Rows opSelectCustomer(const Call &c);
    Rows opSaveCustomer(const Call &c);
    Rows opMyEmp(const Call &c);
    // Bookmarks and groups.
    Rows opSelectGroup(const Call &c);
    Rows opInsertGroup(const Call &c);
    Rows opDeleteGroup(const Call &c);
    Rows opUpdateBookmark(const Call &c);
    // Calls and recordings.
    Rows opCallHistoryTotal(const Call &c);
    Rows opCallHistory(const Call &c);
    Rows opCallReport(const Call &c);
    Rows opReceivedSms(const Call &c);
    Rows opUpdateRecordFile(const Call &c);
    Rows opSelectRecordFile(const Call &c);
    Rows opInsertHistory(const Call &c);
    // Messages.
    Rows opInsertSms(const Call &c);
    Rows opSelectKakaoList(const Call &c);
    Rows opInsertKakao(const Call &c);
    Rows opSelectTel(const Call &c);
    Rows opUpdateTel(const Call &c);
    Rows opSelectKakao(const Call &c);
    Rows opDeleteKakao(const Call &c);
    Rows opKakaoPreview(const Call &c);
    Rows opCheckKakaoList(const Call &c);
    Rows opDupKakaoList(const Call &c);
    Rows opKakaoSendList(const Call &c);
    // Notifications and reminders.
    Rows opAlrimCount(const Call &c);
    Rows opAlrim(const Call &c);
    Rows opUpdateAlrim(const Call &c);
    Rows opCallData(const Call &c);
    Rows opCallDataEmpty(const Call &c);
    Rows opGetCalendar(const Call &c);

    Rows customerListRows(const Call &c, const QString &where, const QVariantList &bound,
                          const QString &tail);
    // Runs a query and names its columns in order.
    Rows select(const QString &sql, const QVariantList &bound, const QStringList &names);
    qint64 customerByNumber(const QString &offId, const QString &tel) const;
    void addHistory(const Call &c, qint64 mNum, const QString &manual, const QString &content);

    Server &m_server;
    Store &m_store;
    QHash<QString, OpSpec> m_ops;
};

} // namespace officesim
