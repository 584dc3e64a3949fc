#include "customers/customermodel.h"

#include "service/responsetable.h"

#include <QDir>
#include <QPainter>
#include <QPainterPath>
#include <array>

namespace tdx {

int CustomerListModel::rowCount(const QModelIndex &parent) const {
    return parent.isValid() ? 0 : int(m_rows.size());
}

QStringView CustomerListModel::text(const Row &r, int Page::*column) const {
    const Page &page = *m_pages[r.page];
    return page.table.view(int(r.row), page.*column);
}

CustomerListModel::Entry CustomerListModel::entry(int row) const {
    const Row &r = m_rows[std::size_t(row)];
    Entry e;
    e.header = r.header;
    e.picture = r.picture;
    if (r.header)
        return e;
    e.number = text(r, &Page::number).toString();
    e.company = text(r, &Page::company).toString();
    const QStringView employee = text(r, &Page::employee);
    e.employee = employee.isEmpty() ? QStringLiteral("미배정") : employee.toString();
    return e;
}

QVariant CustomerListModel::data(const QModelIndex &index, int role) const {
    if (!index.isValid() || index.row() >= int(m_rows.size()))
        return {};
    const Row &r = m_rows[std::size_t(index.row())];
    if (role == HeaderRole)
        return r.header;
    if (r.header)
        return {};
    switch (role) {
    case Qt::DisplayRole:
        return text(r, &Page::company).toString();
    case Qt::ToolTipRole:
    case NumberRole:
        return text(r, &Page::number).toString();
    case EmployeeRole:
        return entry(index.row()).employee;
    case PictureRole:
        return int(r.picture);
    default:
        return {};
    }
}

void CustomerListModel::clear() {
    beginResetModel();
    m_rows.clear();
    m_rows.shrink_to_fit();
    m_pages.clear();
    m_customers = 0;
    endResetModel();
}

void CustomerListModel::addGroupHeader() {
    beginInsertRows({}, int(m_rows.size()), int(m_rows.size()));
    Row r;
    r.header = true;
    m_rows.push_back(r);
    endInsertRows();
}

void CustomerListModel::appendPage(const ResponseTable &page) {
    if (page.rowCount() == 0 || (page.rowCount() == 1 && page.first() == QLatin1String("null")))
        return;
    auto p = std::make_shared<Page>();
    p->table = page; // shares the answer's text
    p->number = page.field_index(QStringLiteral("m_num"));
    p->company = page.field_index(QStringLiteral("m_com"));
    p->employee = page.field_index(QStringLiteral("u_name"));
    const auto index = quint32(m_pages.size());
    m_pages.push_back(std::move(p));
    beginInsertRows({}, int(m_rows.size()), int(m_rows.size()) + page.rowCount() - 1);
    for (int r = 0; r < page.rowCount(); ++r)
        m_rows.push_back({index, quint32(r), quint8(r % 6 + 1), false});
    m_customers += page.rowCount();
    endInsertRows();
}

CustomerDelegate::CustomerDelegate(QString appDir, QObject *parent)
    : QStyledItemDelegate(parent), m_appDir(std::move(appDir)) {}

const QPixmap &CustomerDelegate::picture(const QString &name) const {
    auto it = m_pictures.find(name);
    if (it == m_pictures.end())
        it = m_pictures.insert(name, QPixmap(QDir(m_appDir).filePath(name)));
    return *it;
}

QSize CustomerDelegate::sizeHint(const QStyleOptionViewItem &option,
                                 const QModelIndex &index) const {
    const bool header = index.data(CustomerListModel::HeaderRole).toBool();
    return {option.rect.width(), header ? kHeaderHeight : kRowHeight};
}

QRect CustomerDelegate::partRect(Part part, const QRect &r) {
    switch (part) {
    case Part::Company:
        return {r.left() + 78, r.top() + 14, 170, 40};
    case Part::Call:
        return {r.left() + 262, r.top() + 19, 32, 32};
    case Part::Sms:
        return {r.left() + 302, r.top() + 19, 32, 32};
    case Part::GroupSms:
        return {r.left() + 10, r.top() + 6, 120, 28};
    case Part::GroupModify:
        return {r.left() + 222, r.top() + 6, 50, 28};
    case Part::GroupDelete:
        return {r.left() + 278, r.top() + 6, 50, 28};
    case Part::None:
        break;
    }
    return {};
}

CustomerDelegate::Part CustomerDelegate::hit(const QRect &row, const QPoint &pos, bool header) {
    static const std::array<Part, 3> groupParts = {Part::GroupSms, Part::GroupModify,
                                                   Part::GroupDelete};
    static const std::array<Part, 3> rowParts = {Part::Company, Part::Call, Part::Sms};
    for (Part p : header ? groupParts : rowParts)
        if (partRect(p, row).contains(pos))
            return p;
    return Part::None;
}

void CustomerDelegate::paint(QPainter *p, const QStyleOptionViewItem &option,
                             const QModelIndex &index) const {
    const QRect r = option.rect;
    p->save();
    p->setRenderHint(QPainter::Antialiasing);
    p->fillRect(r, Qt::white);
    auto button = [&](Part part, const QString &file, const QString &fallback) {
        const QRect box = partRect(part, r);
        const QPixmap &pix = picture(file);
        if (!pix.isNull()) {
            p->drawPixmap(box, pix);
            return;
        }
        p->setPen(QColor(0x4a, 0x6f, 0xa5));
        p->drawRoundedRect(box.adjusted(0, 0, -1, -1), 5, 5);
        p->drawText(box, Qt::AlignCenter, fallback);
    };

    if (index.data(CustomerListModel::HeaderRole).toBool()) {
        button(Part::GroupSms, QStringLiteral("img/group_sms.gif"),
               QStringLiteral("그룹문자보내기"));
        button(Part::GroupModify, QStringLiteral("img/kakao_modify.gif"), QStringLiteral("수정"));
        button(Part::GroupDelete, QStringLiteral("img/kakao_delete.gif"), QStringLiteral("삭제"));
        p->restore();
        return;
    }

    // Round picture and the employee under it.
    const QRect circle(r.left() + 18, r.top() + 6, 40, 40);
    const QPixmap &pic = picture(
        QStringLiteral("img/cus_00%1.gif").arg(index.data(CustomerListModel::PictureRole).toInt()));
    QPainterPath clip;
    clip.addEllipse(circle);
    if (!pic.isNull()) {
        p->setClipPath(clip);
        p->drawPixmap(circle, pic);
        p->setClipping(false);
    } else {
        p->setBrush(QColor(0xcf, 0xd8, 0xe8));
        p->setPen(Qt::NoPen);
        p->drawEllipse(circle);
    }
    QFont small = option.font;
    small.setPointSize(8);
    p->setFont(small);
    p->setPen(QColor(0x55, 0x55, 0x55));
    const QRect empRect(r.left() + 4, r.top() + 47, 68, 22);
    p->drawText(empRect, Qt::AlignHCenter | Qt::AlignTop | Qt::TextWordWrap,
                index.data(CustomerListModel::EmployeeRole).toString());

    // Company name in bold, at most 170 pixels.
    QFont bold(QStringLiteral("나눔고딕"), 10, QFont::Bold);
    p->setFont(bold);
    p->setPen(QColor(0x22, 0x22, 0x22));
    const QRect company = partRect(Part::Company, r);
    p->drawText(company, Qt::AlignLeft | Qt::AlignVCenter,
                QFontMetrics(bold).elidedText(index.data(Qt::DisplayRole).toString(),
                                              Qt::ElideRight, company.width()));

    button(Part::Call, QStringLiteral("img/tel.gif"), QStringLiteral("☎"));
    button(Part::Sms, QStringLiteral("img/sms_btn.gif"), QStringLiteral("✉"));

    p->setPen(QColor(0xE7, 0xE7, 0xE7));
    p->drawLine(r.left() + 10, r.bottom(), r.right() - 10, r.bottom());
    p->restore();
}

} // namespace tdx
