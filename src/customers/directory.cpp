#include "customers/directory.h"

#include "service/textutil.h"

namespace tdx {

namespace {

// Field of each column, and the text an empty value shows instead.
struct ColumnSource {
    const char *field;
    const char16_t *fallback;
};
const ColumnSource kSources[PhoneDirectory::kColumns] = {
    {"m_num", nullptr},     {nullptr, u"사업장"},
    {"m_tel", nullptr},     {"m_name_ceo", u"대표자"},
    {"m_hp_ceo", nullptr},  {"m_name", u"담당자"},
    {"m_hp", nullptr},      {"add_name", u"추가번호"},
    {"add_tel", nullptr},   {"add_name_1", u"추가번호2"},
    {"add_tel_1", nullptr}, {"add_name_2", u"추가번호3"},
    {"add_tel_2", nullptr}, {"u_name", nullptr},
    {"m_com", nullptr},     {"m_bookmark", nullptr}};

quint64 key(std::size_t row, int column) {
    return quint64(row) * PhoneDirectory::kColumns + quint64(column);
}

} // namespace

void PhoneDirectory::clear() {
    m_pages.clear();
    m_rows.clear();
    m_edits.clear();
}

void PhoneDirectory::append(const ResponseTable &answer) {
    if (answer.rowCount() == 0)
        return;
    auto page = std::make_shared<Page>();
    page->table = answer; // shares the answer's text
    for (int c = 0; c < kColumns; ++c)
        page->field[c] =
            kSources[c].field ? answer.field_index(QString::fromLatin1(kSources[c].field)) : -1;
    const auto index = quint32(m_pages.size());
    m_pages.push_back(std::move(page));
    for (int r = 0; r < answer.rowCount(); ++r)
        m_rows.push_back({index, quint32(r)});
}

QString PhoneDirectory::cell(std::size_t row, int column) const {
    if (row >= m_rows.size() || column < 0 || column >= kColumns)
        return {};
    if (!m_edits.isEmpty()) {
        const auto edit = m_edits.constFind(key(row, column));
        if (edit != m_edits.constEnd())
            return *edit;
    }
    const Ref &ref = m_rows[row];
    const Page &page = *m_pages[ref.page];
    const ColumnSource &source = kSources[column];
    if (page.field[column] < 0)
        return QString::fromUtf16(source.fallback);
    const QStringView v = page.table.view(int(ref.row), page.field[column]);
    if (v.isEmpty() && source.fallback)
        return QString::fromUtf16(source.fallback);
    return v.toString();
}

void PhoneDirectory::setCell(std::size_t row, int column, const QString &text) {
    if (row < m_rows.size() && column >= 0 && column < kColumns)
        m_edits.insert(key(row, column), text);
}

long PhoneDirectory::find(const QString &mNum) const {
    for (std::size_t i = 0; i < m_rows.size(); ++i)
        if (cell(i, 0).trimmed() == mNum)
            return long(i);
    return -1;
}

QString PhoneDirectory::get_mobile(const QString &mNum) const {
    const long row = find(mNum);
    if (row < 0)
        return {};
    QStringList parts;
    for (int label = 1; label <= 11; label += 2) {
        const QString number = cell(std::size_t(row), label + 1);
        if (text::isMobile(number))
            parts << cell(std::size_t(row), label) << number;
    }
    return parts.join(QLatin1Char(','));
}

bool PhoneDirectory::get_bookmark(const QString &marker, const QString &mNum) const {
    for (std::size_t i = 0; i < m_rows.size(); ++i)
        if (cell(i, 0) == mNum && cell(i, 15).contains(marker))
            return true;
    return false;
}

} // namespace tdx
