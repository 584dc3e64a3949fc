#pragma once

#include <QDialog>

class QScrollArea;

namespace tdx {

struct AppContext;

// "유플러스 비밀번호 변경": how to change the Centrex password, and the button that opens the
// Centrex page where it is done.
class TpwFrm : public QDialog {
    Q_OBJECT
public:
    static constexpr int kScrollRange = 1650;

    TpwFrm(AppContext &ctx, QString phone, QWidget *parent = nullptr);
    QScrollArea *scrollArea() const { return m_scroll; }
    void openChangePage();

protected:
    void showEvent(QShowEvent *e) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    AppContext &m_ctx;
    QString m_phone;
    QScrollArea *m_scroll;
};

} // namespace tdx
