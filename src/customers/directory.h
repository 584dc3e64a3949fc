#pragma once

#include <QString>
#include <array>
#include <vector>

namespace tdx {

class ResponseTable;

// The phone directory: one row per loaded customer with its numbers, in load order.
// Columns: 0 m_num, 1 "사업장", 2 m_tel, 3 m_name_ceo (or "대표자"), 4 m_hp_ceo, 5 m_name (or
// "담당자"), 6 m_hp, 7 add_name (or "추가번호"), 8 add_tel, 9 add_name_1 (or "추가번호2"),
// 10 add_tel_1, 11 add_name_2 (or "추가번호3"), 12 add_tel_2, 13 u_name, 14 m_com, 15 m_bookmark.
// Columns 1–12 are six (label, number) pairs.
class PhoneDirectory {
public:
    using Row = std::array<QString, 16>;

    void clear() { m_rows.clear(); }
    // Adds one row per answer row, read by field name with the defaults above.
    void append(const ResponseTable &answer);
    std::size_t size() const { return m_rows.size(); }
    const Row &row(std::size_t i) const { return m_rows[i]; }
    Row *find(const QString &mNum);
    const Row *find(const QString &mNum) const;
    void reserve(std::size_t n) { m_rows.reserve(n); }

    // The customer's mobile numbers as "label,number,label,number" (empty when none or when the
    // customer is not loaded).
    QString get_mobile(const QString &mNum) const;
    // Whether the customer's bookmark marker contains the marker ("," + user number + ",").
    bool get_bookmark(const QString &marker, const QString &mNum) const;

    static Row fromAnswer(const ResponseTable &answer, int row);

private:
    std::vector<Row> m_rows;
};

} // namespace tdx
