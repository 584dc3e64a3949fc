#pragma once

#include "service/responsetable.h"

#include <QHash>
#include <QString>
#include <memory>
#include <vector>

namespace tdx {

// The phone directory: one row per loaded customer with its numbers, in load order.
// Columns: 0 m_num, 1 "사업장", 2 m_tel, 3 m_name_ceo (or "대표자"), 4 m_hp_ceo, 5 m_name (or
// "담당자"), 6 m_hp, 7 add_name (or "추가번호"), 8 add_tel, 9 add_name_1 (or "추가번호2"),
// 10 add_tel_1, 11 add_name_2 (or "추가번호3"), 12 add_tel_2, 13 u_name, 14 m_com, 15 m_bookmark.
// Columns 1–12 are six (label, number) pairs.
//
// Rows point into the answers they came from (kept, not copied field by field), so a page of
// a hundred customers costs a handful of allocations however long the list already is.
class PhoneDirectory {
public:
    static constexpr int kColumns = 16;

    void clear();
    // Adds one row per answer row, read by field name with the defaults above.
    void append(const ResponseTable &answer);
    std::size_t size() const { return m_rows.size(); }
    QString cell(std::size_t row, int column) const;
    // The row of a customer number (compared trimmed), or −1.
    long find(const QString &mNum) const;
    // Changes one cell (the bookmark marker changes as bookmarks are set).
    void setCell(std::size_t row, int column, const QString &text);

    // The customer's mobile numbers as "label,number,label,number" (empty when none or when the
    // customer is not loaded).
    QString get_mobile(const QString &mNum) const;
    // Whether the customer's bookmark marker contains the marker ("," + user number + ",").
    bool get_bookmark(const QString &marker, const QString &mNum) const;

private:
    struct Page {
        ResponseTable table;
        int field[kColumns]; // the answer's column of each directory column (−1: fixed label)
    };
    struct Ref {
        quint32 page;
        quint32 row;
    };
    std::vector<std::shared_ptr<const Page>> m_pages;
    std::vector<Ref> m_rows;
    QHash<quint64, QString> m_edits;
};

} // namespace tdx
