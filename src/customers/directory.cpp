#include "customers/directory.h"

#include "service/responsetable.h"
#include "service/textutil.h"

namespace tdx {

PhoneDirectory::Row PhoneDirectory::fromAnswer(const ResponseTable &t, int r) {
    auto field = [&](const char *name) { return t.value(r, QString::fromLatin1(name)); };
    auto orDefault = [&](const char *name, const char16_t *fallback) {
        const QString v = field(name);
        return v.isEmpty() ? QString::fromUtf16(fallback) : v;
    };
    return {field("m_num"),     QStringLiteral("사업장"),
            field("m_tel"),     orDefault("m_name_ceo", u"대표자"),
            field("m_hp_ceo"),  orDefault("m_name", u"담당자"),
            field("m_hp"),      orDefault("add_name", u"추가번호"),
            field("add_tel"),   orDefault("add_name_1", u"추가번호2"),
            field("add_tel_1"), orDefault("add_name_2", u"추가번호3"),
            field("add_tel_2"), field("u_name"),
            field("m_com"),     field("m_bookmark")};
}

void PhoneDirectory::append(const ResponseTable &answer) {
    m_rows.reserve(m_rows.size() + std::size_t(answer.rowCount()));
    for (int r = 0; r < answer.rowCount(); ++r)
        m_rows.push_back(fromAnswer(answer, r));
}

PhoneDirectory::Row *PhoneDirectory::find(const QString &mNum) {
    for (Row &row : m_rows)
        if (row[0].trimmed() == mNum)
            return &row;
    return nullptr;
}

const PhoneDirectory::Row *PhoneDirectory::find(const QString &mNum) const {
    return const_cast<PhoneDirectory *>(this)->find(mNum);
}

QString PhoneDirectory::get_mobile(const QString &mNum) const {
    const Row *row = find(mNum);
    if (!row)
        return {};
    QStringList parts;
    for (int label = 1; label <= 11; label += 2) {
        const QString &number = (*row)[std::size_t(label) + 1];
        if (text::isMobile(number))
            parts << (*row)[std::size_t(label)] << number;
    }
    return parts.join(QLatin1Char(','));
}

bool PhoneDirectory::get_bookmark(const QString &marker, const QString &mNum) const {
    for (const Row &row : m_rows)
        if (row[0] == mNum && row[15].contains(marker))
            return true;
    return false;
}

} // namespace tdx
