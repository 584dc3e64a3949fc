#include "service/catalogue.h"

#include <QHash>

namespace tdx {

namespace {

QStringList list(std::initializer_list<const char *> names) {
    QStringList out;
    for (const char *n : names)
        out << QString::fromLatin1(n);
    return out;
}

Operation data(const char *kind, std::initializer_list<const char *> fields,
               std::initializer_list<const char *> optional = {}) {
    return {QString::fromLatin1(kind), op::DataPath, 1,
            Hosts::Scheme::Https,      list(fields), list(optional)};
}

struct Entry {
    QString name;
    Operation op;
};

const std::vector<Entry> &entries() {
    static const std::vector<Entry> all = [] {
        std::vector<Entry> e;
        auto add = [&](const char *name, Operation o) {
            e.push_back({QString::fromLatin1(name), o});
        };
        // Session and user.
        Operation login = data("login", {"passwd"});
        login.path = op::LoginPath;
        add("login", login);
        Operation skb = data("update_skb_id", {"u_id", "off_id", "skb_id", "skb_pass"});
        skb.path = op::LoginPath;
        add("update_skb_id", skb);
        add("upluspw", data("upluspw", {"u_id", "pw"}));
        add("myname", data("myname", {}));
        // Customers.
        add("customer",
            data("customer", {"offSet", "searchWord", "u_num", "m_bookmark", "m_nums", "group"},
                 {"u_num", "m_bookmark", "m_nums", "group"}));
        add("customer_total", data("customer", {"total_mod", "u_num"}, {"u_num"}));
        add("customer_search", data("customer", {"searchWord"}));
        add("customer_tel", data("customer_tel", {"tel"}));
        add("select_customer", data("select_customer", {"m_num"}));
        const auto customerFields = {
            "m_com",      "m_gubun",     "m_comNum",  "m_corNum",   "u_num",     "m_tel",
            "add_tel",    "add_tel_1",   "add_tel_2", "m_addrZip",  "m_addr",    "m_name",
            "m_hp",       "m_name_ceo",  "m_hp_ceo",  "m_pwd",      "m_use",     "m_memo",
            "hometax_id", "hometax_pwd", "add_name",  "add_name_1", "add_name_2"};
        add("insert_customer", data("insert_customer", customerFields));
        Operation update = data("update_customer", customerFields);
        update.fields.prepend(QStringLiteral("m_num"));
        add("update_customer", update);
        add("myemp", data("myemp", {}));
        // Bookmarks and groups.
        add("select_group", data("select_group", {"u_num"}));
        add("insert_group", data("insert_group", {"g_num", "u_num", "m_num"}));
        add("delete_group", data("delete_group", {"u_num", "g_num"}));
        add("update_bookmark", data("update_bookmark", {"u_num", "m_num", "m_reg"}));
        // Calls and recordings.
        add("callhistory_total", data("callhistory_total", {"u_num"}));
        add("callhistory", data("callhistory", {"u_num", "offSet"}));
        add("busyCall", data("busyCall", {"c_tel", "u_num", "c_name"}));
        add("failSend", data("failSend", {"c_tel", "u_num", "c_name"}));
        add("received_sms", data("received_sms", {"c_tel", "smsmsg"}));
        add("update_recordFile", data("update_recordFile", {"u_num", "c_flag", "c_recordFile"}));
        add("select_recordFile",
            data("select_recordFile", {"u_num", "searchWord", "c_flag", "sdate", "edate"}));
        add("insert_history",
            data("insert_history", {"m_num", "u_num", "c_flag", "c_manual", "c_complete",
                                    "c_content_gubun", "c_content", "c_name"}));
        // Messages.
        add("insert_sms",
            data("insert_sms", {"smsList", "u_num", "c_name", "c_content", "c_history"}));
        add("insert_sms1",
            data("insert_sms1", {"c_tel", "u_num", "c_name", "c_content", "c_history"}));
        add("select_kakao_list", data("select_kakao_list", {"l_no"}));
        add("insert_kakao",
            data("insert_kakao", {"user_id", "s_kind", "s_type", "s_cnt", "s_limit", "m_comNum",
                                  "m_com", "m_gubun", "m_hp", "price", "bank1", "bank2", "bank3",
                                  "bank4", "bank5", "l_no", "up1", "up2"}));
        add("select_tel", data("select_tel", {"comNum"}));
        add("update_tel", data("update_tel", {"m_comNum", "m_hp", "m_hp_ceo", "m_tel", "add_tel",
                                              "add_tel_1", "add_tel_2"}));
        add("select_kakao", data("select_kakao", {"user_id", "s_kind", "s_type"}));
        add("delete_kakao", data("delete_kakao", {"l_no"}));
        add("kakao_preView", data("kakao_preView", {"seq"}));
        add("check_kakao_list", data("check_kakao_list", {"user_id", "s_kind", "s_type"}));
        add("dup_kakao_list", data("dup_kakao_list", {"user_id", "s_kind", "s_type"}));
        add("kakao_send_list",
            data("kakao_send_list", {"user_id", "s_kind", "s_type", "history", "template", "u_num",
                                     "u_name", "mycompany", "period"}));
        // Notifications and reminders.
        Operation count = data("alrim_count", {"u_num"});
        count.channel = 2;
        add("alrim_count", count);
        add("alrim", data("alrim", {"u_num"}));
        add("update_alrim", data("update_alrim", {"aKindList", "noList"}));
        add("callData", data("callData", {"seq"}));
        add("callData_empty", data("callData_empty", {"seq"}));
        add("get_calendar", data("get_calendar", {"u_num"}));
        return e;
    }();
    return all;
}

} // namespace

const std::vector<Operation> &catalogue() {
    static const std::vector<Operation> ops = [] {
        std::vector<Operation> out;
        for (const Entry &e : entries())
            out.push_back(e.op);
        return out;
    }();
    return ops;
}

const Operation &operation(const QString &name) {
    static const QHash<QString, const Operation *> byName = [] {
        QHash<QString, const Operation *> h;
        for (const Entry &e : entries())
            h.insert(e.name, &e.op);
        return h;
    }();
    const Operation *o = byName.value(name);
    Q_ASSERT_X(o, "operation", qPrintable(name));
    if (!o)
        qFatal("unknown operation %s", qPrintable(name));
    return *o;
}

} // namespace tdx
