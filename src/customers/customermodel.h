#pragma once

#include <QAbstractListModel>
#include <QHash>
#include <QPixmap>
#include <QStyledItemDelegate>

#include "service/responsetable.h"
#include <memory>
#include <vector>

namespace tdx {

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
    Entry entry(int row) const;
    int customerCount() const { return m_customers; }

private:
    // Rows point into the pages they came from instead of copying their texts.
    struct Page {
        ResponseTable table;
        int number, company, employee; // columns of "m_num", "m_com", "u_name"
    };
    struct Row {
        quint32 page = 0;
        quint32 row = 0;
        quint8 picture = 1;
        bool header = false;
    };
    QStringView text(const Row &r, int Page::*column) const;

    std::vector<std::shared_ptr<const Page>> m_pages;
    std::vector<Row> m_rows;
    int m_customers = 0;
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
