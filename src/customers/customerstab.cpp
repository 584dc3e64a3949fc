#include "customers/customerstab.h"

#include "service/serviceclient.h"
#include "shell/core/appcontext.h"
#include "shell/widgets/placeholderedit.h"

#include <QEvent>
#include <QHBoxLayout>
#include <QListView>
#include <QMouseEvent>
#include <QPushButton>
#include <QScrollBar>
#include <QSlider>
#include <QVBoxLayout>

namespace tdx {

namespace {

QPushButton *makeButton(const QString &text, const QString &name, QWidget *parent) {
    auto *b = new QPushButton(text, parent);
    b->setObjectName(name);
    b->setCursor(Qt::PointingHandCursor);
    b->setFocusPolicy(Qt::NoFocus);
    return b;
}

const char *kFilterStyle = "QPushButton{border:1px solid #d6dbe3;background:#ffffff;color:#555;"
                           "padding:4px 2px;font-size:11px}"
                           "QPushButton[current=\"true\"]{background:#4a6fa5;color:white;"
                           "border-color:#4a6fa5}";

} // namespace

CustomersTab::CustomersTab(AppContext &ctx, CustomerList &list, QWidget *parent)
    : QWidget(parent), m_ctx(ctx), m_list(list) {
    setObjectName(QStringLiteral("customersTab"));
    auto *outer = new QVBoxLayout(this);
    outer->setContentsMargins(0, 0, 0, 0);
    outer->setSpacing(0);

    auto *header = new QHBoxLayout;
    header->setContentsMargins(8, 6, 8, 6);
    m_search = new PlaceholderEdit(QString::fromUtf16(kSearchPlaceholder), this);
    m_search->setObjectName(QStringLiteral("searchEdit"));
    m_refresh = makeButton(QStringLiteral("⟳"), QStringLiteral("refreshButton"), this);
    m_refresh->setToolTip(QStringLiteral("거래처 새로고침"));
    m_excel = makeButton(QStringLiteral("XLS"), QStringLiteral("excelImportButton"), this);
    m_excel->setToolTip(QStringLiteral("거래처 엑셀등록"));
    m_menuButton = makeButton(QStringLiteral("≡"), QStringLiteral("menuButton"), this);
    for (QPushButton *b : {m_refresh, m_excel, m_menuButton})
        b->setFixedSize(30, 26);
    header->addWidget(m_search, 1);
    header->addWidget(m_refresh);
    header->addWidget(m_excel);
    header->addWidget(m_menuButton);
    outer->addLayout(header);

    auto *filters = new QHBoxLayout;
    filters->setContentsMargins(8, 0, 8, 4);
    filters->setSpacing(2);
    const char16_t *captions[] = {u"전체", u"내거래처", u"즐겨찾기", u"그룹"};
    const char *names[] = {"filterAll", "filterMine", "filterBookmark", "filterGroup"};
    for (int i = 0; i < 4; ++i) {
        m_filters[i] =
            makeButton(QString::fromUtf16(captions[i]), QString::fromLatin1(names[i]), this);
        m_filters[i]->setStyleSheet(QString::fromLatin1(kFilterStyle));
        filters->addWidget(m_filters[i]);
    }
    outer->addLayout(filters);

    auto *body = new QHBoxLayout;
    body->setContentsMargins(0, 0, 0, 0);
    body->setSpacing(0);
    m_view = new QListView(this);
    m_view->setObjectName(QStringLiteral("customerList"));
    m_view->setModel(&m_model);
    m_view->setItemDelegate(new CustomerDelegate(m_ctx.appDir, m_view));
    m_view->setVerticalScrollMode(QAbstractItemView::ScrollPerPixel);
    m_view->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    m_view->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    m_view->setSelectionMode(QAbstractItemView::NoSelection);
    m_view->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_view->setFrameShape(QFrame::NoFrame);
    m_view->setMouseTracking(true);
    m_view->verticalScrollBar()->setSingleStep(35); // a wheel notch moves about two lines
    m_view->viewport()->installEventFilter(this);
    m_slider = new QSlider(Qt::Vertical, this);
    m_slider->setObjectName(QStringLiteral("customerSlider"));
    m_slider->setFixedWidth(12);
    m_slider->hide();
    body->addWidget(m_view, 1);
    body->addWidget(m_slider);
    outer->addLayout(body, 1);

    // The small menu panel in front of the list.
    m_menuPanel = new QFrame(this);
    m_menuPanel->setObjectName(QStringLiteral("menuPanel"));
    m_menuPanel->setFrameShape(QFrame::StyledPanel);
    m_menuPanel->setStyleSheet(
        QStringLiteral("QFrame#menuPanel{background:white;border:1px solid #c8ced8}"));
    auto *menu = new QVBoxLayout(m_menuPanel);
    menu->setContentsMargins(4, 4, 4, 4);
    const std::pair<const char16_t *, void (CustomersTab::*)()> items[] = {
        {u"전체 문자발송", &CustomersTab::smsAllRequested},
        {u"알림톡 보내기", &CustomersTab::alimTalkRequested},
        {u"직원 연락처", &CustomersTab::staffListRequested},
        {u"거래처 관리(웹)", &CustomersTab::consoleCustomersRequested}};
    int n = 0;
    for (const auto &item : items) {
        auto *b = makeButton(QString::fromUtf16(item.first), QStringLiteral("menuItem%1").arg(++n),
                             m_menuPanel);
        const auto signal = item.second;
        connect(b, &QPushButton::clicked, this, [this, signal] {
            hideMenuPanel();
            Q_EMIT(this->*signal)();
        });
        menu->addWidget(b);
    }
    m_menuPanel->adjustSize();
    m_menuPanel->hide();

    connect(m_menuButton, &QPushButton::clicked, this, [this] {
        if (m_menuPanel->isVisible()) {
            hideMenuPanel();
            return;
        }
        m_menuPanel->move(width() - m_menuPanel->width() - 8,
                          m_menuButton->geometry().bottom() + 2);
        m_menuPanel->raise();
        m_menuPanel->show();
    });
    connect(m_excel, &QPushButton::clicked, this, &CustomersTab::excelImportRequested);
    connect(m_refresh, &QPushButton::clicked, this, &CustomersTab::refresh);
    connect(m_search, &QLineEdit::returnPressed, this, [this] {
        hideMenuPanel();
        if (m_ctx.main)
            m_ctx.main->set_state(false);
        go_search();
        if (m_ctx.main)
            m_ctx.main->set_state(true);
    });
    m_search->installEventFilter(this);
    connect(m_filters[0], &QPushButton::clicked, this, [this] { selectFilter(0); });
    connect(m_filters[1], &QPushButton::clicked, this, [this] { selectFilter(1); });
    connect(m_filters[2], &QPushButton::clicked, this, [this] { selectFilter(2); });
    connect(m_filters[3], &QPushButton::clicked, this, [this] {
        Q_EMIT groupPopupRequested(
            QRect(m_filters[3]->mapToGlobal(QPoint()), m_filters[3]->size()));
    });

    connect(m_view->verticalScrollBar(), &QScrollBar::valueChanged, this,
            &CustomersTab::onScrolled);
    connect(m_view->verticalScrollBar(), &QScrollBar::rangeChanged, this,
            &CustomersTab::set_cus_rs);
    connect(m_slider, &QSlider::valueChanged, this, [this](int v) {
        if (m_syncing)
            return;
        m_view->verticalScrollBar()->setValue(m_slider->maximum() - v);
    });
    updateCaptions();
}

QPushButton *CustomersTab::filterButton(int mode) const {
    return m_filters[qBound(0, mode, 3)];
}

void CustomersTab::hideMenuPanel() {
    m_menuPanel->hide();
}

void CustomersTab::clearSearch() {
    m_search->setEntered(QString());
}

void CustomersTab::setSliderVisible(bool on) {
    m_slider->setVisible(on);
}

void CustomersTab::updateCaptions() {
    if (!m_ctx.session.user.number.isEmpty())
        for (int mode = 0; mode < 4; ++mode)
            m_filters[mode]->setText(m_list.caption(mode));
    highlightMode();
}

void CustomersTab::highlightMode() {
    for (int mode = 0; mode < 4; ++mode) {
        m_filters[mode]->setProperty("current", mode == m_ctx.session.listMode);
        m_filters[mode]->style()->unpolish(m_filters[mode]);
        m_filters[mode]->style()->polish(m_filters[mode]);
    }
}

void CustomersTab::resetCaptions() {
    m_filters[0]->setText(QStringLiteral("전체"));
    m_filters[1]->setText(QStringLiteral("내거래처"));
    highlightMode();
}

void CustomersTab::remove_costomer_control() {
    m_model.clear();
    if (m_ctx.session.listMode == 3)
        m_model.addGroupHeader();
    set_cus_rs();
}

void CustomersTab::buildRows() {
    m_view->setUpdatesEnabled(false);
    m_model.appendPage(m_ctx.service.table1());
    m_view->setUpdatesEnabled(true);
    set_cus_rs();
}

void CustomersTab::go_search() {
    m_ctx.service.guard(QStringLiteral("mainFrm"), QStringLiteral("go_search"), [&] {
        if (m_ctx.main)
            m_ctx.main->showLoading();
        remove_costomer_control();
        m_list.setSearchText(m_search->text(), m_search->placeholder());
        m_list.startNewList();
        m_list.relocate_customer_data();
        buildRows();
        if (m_ctx.main)
            m_ctx.main->hideLoading();
    });
}

void CustomersTab::selectFilter(int mode) {
    if (m_ctx.session.listMode == mode)
        return;
    if (m_ctx.main) {
        m_ctx.main->set_state(false);
        m_ctx.main->closePopups();
    }
    clearSearch();
    m_ctx.session.listMode = mode;
    updateCaptions();
    go_search();
    hideMenuPanel();
    if (m_ctx.main)
        m_ctx.main->set_state(true);
}

void CustomersTab::showGroup(const Group &group) {
    for (QPushButton *b : m_filters)
        b->setEnabled(false);
    clearSearch();
    m_list.selectGroup(group);
    m_ctx.session.listMode = 3;
    updateCaptions();
    go_search();
    const int members =
        int(m_list.selectedGroup().members.split(QLatin1Char(','), Qt::SkipEmptyParts).size());
    m_filters[3]->setText(group.name + QLatin1Char('(') + QString::number(members) +
                          QLatin1Char(')'));
    for (QPushButton *b : m_filters)
        b->setEnabled(true);
}

void CustomersTab::refresh() {
    if (m_refreshing)
        return;
    m_refreshing = true;
    m_refresh->setEnabled(false);
    for (QPushButton *b : m_filters)
        b->setEnabled(false);
    m_list.get_name();
    updateCaptions();
    go_search();
    m_refresh->setEnabled(true);
    for (QPushButton *b : m_filters)
        b->setEnabled(true);
    m_refreshing = false;
}

QRect CustomersTab::partRect(int row, CustomerDelegate::Part part) const {
    const QRect r = m_view->visualRect(m_model.index(row));
    return CustomerDelegate::partRect(part, r);
}

bool CustomersTab::eventFilter(QObject *watched, QEvent *event) {
    if (event->type() == QEvent::MouseButtonPress || event->type() == QEvent::FocusIn)
        hideMenuPanel();
    if (watched == m_view->viewport() && event->type() == QEvent::MouseButtonPress) {
        auto *me = static_cast<QMouseEvent *>(event);
        onListClick(me->position().toPoint(), me->button() == Qt::RightButton);
        return true;
    }
    return QWidget::eventFilter(watched, event);
}

void CustomersTab::onListClick(const QPoint &pos, bool right) {
    const QModelIndex index = m_view->indexAt(pos);
    if (!index.isValid())
        return;
    const CustomerListModel::Entry &e = m_model.entry(index.row());
    const QRect row = m_view->visualRect(index);
    const auto part = CustomerDelegate::hit(row, pos, e.header);
    const QRect anchor(
        m_view->viewport()->mapToGlobal(CustomerDelegate::partRect(part, row).topLeft()),
        CustomerDelegate::partRect(part, row).size());
    using Part = CustomerDelegate::Part;
    switch (part) {
    case Part::Company:
        if (right)
            Q_EMIT contextMenuRequested(e.number, e.company, anchor);
        else
            Q_EMIT customerCardRequested(e.number);
        break;
    case Part::Call:
        if (!right)
            Q_EMIT callRequested(e.number, anchor);
        break;
    case Part::Sms:
        if (!right)
            smsButton(e.number, anchor);
        break;
    case Part::GroupSms:
        Q_EMIT groupSmsRequested();
        break;
    case Part::GroupModify:
        Q_EMIT groupModifyRequested();
        break;
    case Part::GroupDelete:
        Q_EMIT groupDeleteRequested();
        break;
    case Part::None:
        break;
    }
}

void CustomersTab::smsButton(const QString &number, const QRect &anchor) {
    if (m_ctx.main && m_ctx.main->pickerVisible()) {
        m_ctx.main->closePicker();
        return;
    }
    const QString mobiles = m_list.directory().get_mobile(number);
    const QStringList parts = mobiles.split(QLatin1Char(','));
    if (mobiles.isEmpty()) {
        m_ctx.prompter.message(QStringLiteral("등록된 휴대번호가 없습니다."),
                               QStringLiteral("알림"), Prompter::Icon::Error);
    } else if (parts.size() < 3) {
        Q_EMIT quickSmsRequested(parts.value(1));
    } else {
        Q_EMIT recipientPickerRequested(mobiles, anchor);
    }
}

void CustomersTab::set_cus_rs() {
    m_ctx.service.guard(QStringLiteral("mainFrm"), QStringLiteral("set_cus_rs"), [&] {
        QScrollBar *bar = m_view->verticalScrollBar();
        const int max = bar->maximum();
        m_syncing = true;
        if (max <= 0) {
            m_slider->hide();
        } else {
            m_slider->setMaximum(max);
            if (max > 10)
                m_slider->setPageStep(max / 10);
            m_slider->setValue(max - bar->value());
            m_slider->show();
        }
        m_syncing = false;
    });
}

void CustomersTab::onScrolled() {
    set_cus_rs();
    if (m_ctx.main && m_ctx.main->loadingVisible())
        return;
    QScrollBar *bar = m_view->verticalScrollBar();
    if (bar->maximum() <= 0 || bar->value() < bar->maximum() || !m_list.wantsNextPage())
        return;
    const int position = bar->value();
    if (m_ctx.main)
        m_ctx.main->showLoading();
    m_list.fetchNextPage();
    buildRows();
    bar->setValue(position);
    if (m_ctx.main)
        m_ctx.main->hideLoading();
    set_cus_rs();
}

} // namespace tdx
