#include "customers/customerlist.h"

#include "service/serviceclient.h"
#include "shell/core/appcontext.h"

namespace tdx {

CustomerList::CustomerList(AppContext &ctx) : m_ctx(ctx) {}

CustomerList::NameResult CustomerList::get_name() {
    NameResult result = NameResult::Ok;
    m_ctx.service.guard(QStringLiteral("mainFrm"), QStringLiteral("get_name"), [&] {
        const ResponseTable &t = m_ctx.service.send(operation(QStringLiteral("myname")));
        if (t.first() == QLatin1String("null")) {
            result = NameResult::NoEmployee;
            return;
        }
        if (t.rowCount() != 1)
            return;
        if (t.first() == QLatin1String("cer_deny")) {
            result = NameResult::CertificateDenied;
            return;
        }
        UserRecord &u = m_ctx.session.user;
        u.name = t.value(0, 0);
        u.title = t.value(0, 1);
        u.number = t.value(0, 2);
        u.total = t.value(0, 3);
        u.mine = t.value(0, 4);
        u.bookmarked = t.value(0, 5);
        u.officeName = t.value(0, 6);
        get_group_data();
    });
    return result;
}

void CustomerList::get_group_data() {
    m_groups.clear();
    m_ctx.service.guard(QStringLiteral("mainFrm"), QStringLiteral("get_group_data"), [&] {
        const ResponseTable &t =
            m_ctx.service.send(operation(QStringLiteral("select_group")),
                               {{QStringLiteral("u_num"), m_ctx.session.user.number}});
        if (t.rowCount() == 0 || t.first() == QLatin1String("null"))
            return;
        for (int r = 0; r < t.rowCount(); ++r)
            m_groups.push_back({t.value(r, QStringLiteral("g_name")),
                                t.value(r, QStringLiteral("m_nums")),
                                t.value(r, QStringLiteral("g_num"))});
    });
}

void CustomerList::setSearchText(const QString &fieldText, const QString &placeholder) {
    const QString t = fieldText.trimmed();
    m_word = t == placeholder ? QString() : t;
}

void CustomerList::selectGroup(const Group &group) {
    // The members text is the group's "m_nums" without the comma at each end.
    m_group = group;
    QString &m = m_group.members;
    if (m.startsWith(QLatin1Char(',')))
        m.remove(0, 1);
    if (m.endsWith(QLatin1Char(',')))
        m.chop(1);
}

void CustomerList::startNewList() {
    m_offset = 0;
    m_appending = false;
    m_groupExhausted = false;
}

void CustomerList::reset() {
    m_ctx.session.listMode = 0;
    m_word.clear();
    m_group = {};
    startNewList();
}

bool CustomerList::relocate_customer_data() {
    bool loaded = false;
    const bool ran = m_ctx.service.guard(
        QStringLiteral("mainFrm"), QStringLiteral("relocate_customer_data"), [&] {
            if (!m_appending)
                m_offset = 0;
            Fields fields = {{QStringLiteral("offSet"), QString::number(m_offset)},
                             {QStringLiteral("searchWord"), m_word}};
            const QString &user = m_ctx.session.user.number;
            switch (m_ctx.session.listMode) {
            case 1:
                fields.append({QStringLiteral("u_num"), user});
                break;
            case 2:
                fields.append(
                    {QStringLiteral("m_bookmark"), QLatin1Char(',') + user + QLatin1Char(',')});
                break;
            case 3:
                fields.append({QStringLiteral("m_nums"), m_group.members});
                fields.append({QStringLiteral("group"), QStringLiteral("group")});
                break;
            default:
                break;
            }
            const ResponseTable &t =
                m_ctx.service.send(operation(QStringLiteral("customer")), fields);
            if (t.rowCount() == 0 || t.first() == QLatin1String("null")) {
                m_groupExhausted = true;
                return;
            }
            if (!m_appending)
                m_directory.clear();
            m_directory.append(t);
            m_groupExhausted = t.rowCount() < kPageSize;
            loaded = true;
        });
    if (!ran)
        m_ctx.prompter.message(QStringLiteral("거래처 데이터 로딩 오류."), QStringLiteral("오류"),
                               Prompter::Icon::Error);
    return loaded;
}

bool CustomerList::wantsNextPage() const {
    const UserRecord &u = m_ctx.session.user;
    switch (m_ctx.session.listMode) {
    case 0:
        return u.total.toLongLong() >= m_offset && u.total.toLongLong() > kPageSize;
    case 1:
        return u.mine.toLongLong() >= m_offset && u.mine.toLongLong() > kPageSize;
    case 2:
        return u.bookmarked.toLongLong() >= m_offset && u.bookmarked.toLongLong() > kPageSize;
    default:
        // A group has no total from the service: pages are fetched until one comes back short.
        return !m_groupExhausted;
    }
}

bool CustomerList::fetchNextPage() {
    m_appending = true;
    m_offset += kPageSize;
    const bool loaded = relocate_customer_data();
    m_appending = false;
    return loaded;
}

void CustomerList::get_customer_data_total(bool mine) {
    Fields fields = {{QStringLiteral("total_mod"), QStringLiteral("total")}};
    if (mine)
        fields.append({QStringLiteral("u_num"), m_ctx.session.user.number});
    if (!m_ctx.service.guard(
            QStringLiteral("mainFrm"), QStringLiteral("get_customer_data_total1"),
            [&] { m_ctx.service.send(operation(QStringLiteral("customer_total")), fields); }))
        return;
    m_ctx.service.guard(QStringLiteral("mainFrm"), QStringLiteral("get_customer_data_total2"), [&] {
        m_directory.clear();
        const ResponseTable &t = m_ctx.service.table1();
        if (t.first() != QLatin1String("null"))
            m_directory.append(t);
    });
}

void CustomerList::lookupCaller(const QString &number) {
    m_ctx.service.send(operation(QStringLiteral("customer_tel")),
                       {{QStringLiteral("tel"), number}});
}

QString CustomerList::caption(int mode) const {
    const UserRecord &u = m_ctx.session.user;
    switch (mode) {
    case 0:
        return QStringLiteral("전체(") + u.total + QLatin1Char(')');
    case 1:
        return QStringLiteral("내거래처(") + u.mine + QLatin1Char(')');
    case 2:
        return QStringLiteral("즐겨찾기(") + u.bookmarked + QLatin1Char(')');
    default:
        return groupCaption();
    }
}

QString CustomerList::groupCaption() const {
    return QStringLiteral("그룹(") + QString::number(m_groups.size()) + QLatin1Char(')');
}

} // namespace tdx
