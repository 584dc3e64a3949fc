#pragma once

#include <QDialog>

class QLineEdit;

namespace tdx {

struct AppContext;
class ImsLibrary;

// "사용자등록": registers the desk's phone with SK Broadband (an SMS code, then the user).
class TadduserFrm : public QDialog {
    Q_OBJECT
public:
    TadduserFrm(AppContext &ctx, ImsLibrary &ims, QWidget *parent = nullptr);

    void setPhone(const QString &phone);
    QString newId() const { return m_newId; }
    QString registeredPhone() const { return m_phone; }
    bool registered() const { return m_registered; }

    void requestCode();  // the request-code button
    void registerUser(); // the register button
    void finish();       // the done button

private:
    AppContext &m_ctx;
    ImsLibrary &m_ims;
    QLineEdit *m_phoneEdit;
    QLineEdit *m_codeEdit;
    QString m_newId;
    QString m_phone;
    bool m_registered = false;
};

} // namespace tdx
