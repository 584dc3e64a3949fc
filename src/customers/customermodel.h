#pragma once

#include <QAbstractListModel>
#include <QHash>
#include <QPixmap>
#include <QStyledItemDelegate>
#include <vector>

namespace tdx {

class ResponseTable;

// The rows of the customers tab: one per loaded customer (and, for a group, a header row with
// the group's buttons first). Painted by CustomerDelegate instead of five widgets per row.
class CustomerListModel : public QAbstractListModel {
    Q_OBJECT
public:
    enum Role { NumberRole = Qt::UserRole + 1, EmployeeRole, PictureRole, HeaderRole };

    struct Entry {
        QString number;     // "m_num" (the company name's hint)
        QString company;    // "m_com"
        QString employee;   // "u_name", or "미배정"
        quint8 picture = 1; // cus_00N.gif, N = position within its page mod 6 + 1
        bool header = false;
    };

    using QAbstractListModel::QAbstractListModel;
    int rowCount(const QModelIndex &parent = {}) const override;
    QVariant data(const QModelIndex &index, int role) const override;

    void clear();
    void addGroupHeader();
    // One row per answer row; nothing for the lone "null" row.
    void appendPage(const ResponseTable &page);
    const Entry &entry(int row) const { return m_rows[std::size_t(row)]; }
    int customerCount() const;

private:
    std::vector<Entry> m_rows;
};

// Paints a customer row: the round picture with the employee's name under it, the company name
// in bold, the call and SMS buttons and a thin separator; or the group header's three buttons.
class CustomerDelegate : public QStyledItemDelegate {
    Q_OBJECT
public:
    enum class Part { None, Company, Call, Sms, GroupSms, GroupModify, GroupDelete };
    static constexpr int kRowHeight = 70;
    static constexpr int kHeaderHeight = 40;

    explicit CustomerDelegate(QString appDir, QObject *parent = nullptr);

    void paint(QPainter *p, const QStyleOptionViewItem &option,
               const QModelIndex &index) const override;
    QSize sizeHint(const QStyleOptionViewItem &option, const QModelIndex &index) const override;

    // Where each part of a row sits (in the row's rectangle), and which part a point hits.
    static QRect partRect(Part part, const QRect &row);
    static Part hit(const QRect &row, const QPoint &pos, bool header);

private:
    const QPixmap &picture(const QString &name) const;
    QString m_appDir;
    mutable QHash<QString, QPixmap> m_pictures;
};

} // namespace tdx
