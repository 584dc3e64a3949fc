#pragma once

#include <QFrame>

class QCheckBox;
class QLineEdit;
class QPushButton;

namespace tdx {

struct AppContext;

// The settings panel of the login view: the LG U+ panel (with the U+ password and the
// all-incoming-calls box) or the SK Broadband panel, chosen by "u_sk".
class SettingsPanel : public QFrame {
    Q_OBJECT
public:
    enum class Kind { Lgu, Skb };
    SettingsPanel(AppContext &ctx, Kind kind, QWidget *parent);

    Kind kind() const { return m_kind; }
    // Fills the fields from the settings file.
    void load();
    // Image29Click (LG U+) / Image37Click (SK Broadband).
    void save();

    QLineEdit *folderEdit() const { return m_folder; }

Q_SIGNALS:
    // The auto-record box of the main view follows the LG U+ panel's "자동녹취".
    void recordChanged(bool on);

private:
    QCheckBox *check(const QString &text, const QString &name);

    AppContext &m_ctx;
    Kind m_kind;
    QLineEdit *m_password = nullptr;
    QLineEdit *m_folder = nullptr;
    QCheckBox *m_record = nullptr;
    QCheckBox *m_booting = nullptr;
    QCheckBox *m_innernum = nullptr;
    QCheckBox *m_busy = nullptr;
};

} // namespace tdx
