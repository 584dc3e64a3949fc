#pragma once

#include "customers/customerlist.h"
#include "customers/customermodel.h"

#include <QFrame>
#include <QWidget>

class QListView;
class QPushButton;
class QSlider;

namespace tdx {

struct AppContext;
class PlaceholderEdit;

// The customers tab of the main view: search field, refresh, Excel import and menu buttons,
// the four filter buttons with their counters, the list and the slider beside it.
class CustomersTab : public QWidget {
    Q_OBJECT
public:
    static constexpr const char16_t *kSearchPlaceholder = u"거래처명, 담당직원명 검색";

    CustomersTab(AppContext &ctx, CustomerList &list, QWidget *parent = nullptr);

    // Removes all rows and starts an empty list area.
    void remove_costomer_control();
    // Adds rows for the page in the primary response table.
    void buildRows();
    // Show loading, remove rows, fetch the first page, build rows, hide loading.
    void go_search();
    // A filter button: 0 전체, 1 내거래처, 2 즐겨찾기 (3 goes through the group pop-up).
    void selectFilter(int mode);
    // Switches to a chosen group (list mode 3).
    void showGroup(const Group &group);
    // Reload the user record (counters, groups) and the list from offset 0.
    void refresh();
    // Captions with counters and the highlight of the current mode.
    void updateCaptions();
    // Plain captions "전체" and "내거래처" again (logout).
    void resetCaptions();
    // Highlights the button of the current list mode.
    void highlightMode();
    void clearSearch();
    void hideMenuPanel();
    void setSliderVisible(bool on);
    // Keeps the slider beside the list in step with it.
    void set_cus_rs();

    CustomerListModel &model() { return m_model; }
    QListView *view() const { return m_view; }
    // Screen rectangle of a part of a row (for placing the pop-ups, and for tests).
    QRect partRect(int row, CustomerDelegate::Part part) const;

Q_SIGNALS:
    void customerCardRequested(const QString &number);
    void contextMenuRequested(const QString &number, const QString &company, const QRect &anchor);
    void callRequested(const QString &number, const QRect &anchor);
    void quickSmsRequested(const QString &mobile);
    void recipientPickerRequested(const QString &mobiles, const QRect &anchor);
    void groupPopupRequested(const QRect &anchor);
    void groupSmsRequested();
    void groupModifyRequested();
    void groupDeleteRequested();
    void excelImportRequested();
    void smsAllRequested();
    void alimTalkRequested();
    void staffListRequested();
    void consoleCustomersRequested();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void onListClick(const QPoint &pos, bool right);
    void smsButton(const QString &number, const QRect &anchor);
    void onScrolled();
    QPushButton *filterButton(int mode) const;

    AppContext &m_ctx;
    CustomerList &m_list;
    CustomerListModel m_model;
    PlaceholderEdit *m_search;
    QPushButton *m_refresh;
    QPushButton *m_excel;
    QPushButton *m_menuButton;
    QFrame *m_menuPanel;
    QPushButton *m_filters[4];
    QListView *m_view;
    QSlider *m_slider;
    bool m_refreshing = false;
    bool m_syncing = false;
};

} // namespace tdx
