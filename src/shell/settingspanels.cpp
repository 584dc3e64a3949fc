#include "shell/settingspanels.h"

#include "service/httpclient.h"
#include "service/scrambler.h"
#include "shell/core/appcontext.h"
#include "shell/widgets/clicklabel.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace tdx {

SettingsPanel::SettingsPanel(AppContext &ctx, Kind kind, QWidget *parent)
    : QFrame(parent), m_ctx(ctx), m_kind(kind) {
    setObjectName(kind == Kind::Lgu ? QStringLiteral("lguSettingsPanel")
                                    : QStringLiteral("skbSettingsPanel"));
    setFrameShape(QFrame::StyledPanel);
    setAutoFillBackground(true);
    setStyleSheet(
        QStringLiteral("#%1{background:#ffffff;border:1px solid #9aa5b5}").arg(objectName()));
    auto *layout = new QVBoxLayout(this);
    auto *title = new QLabel(QStringLiteral("설정"), this);
    title->setStyleSheet(QStringLiteral("font-weight:bold;font-size:14px"));
    layout->addWidget(title);

    auto *folderBox = new QGroupBox(QStringLiteral("공유폴더선택"), this);
    auto *fl = new QVBoxLayout(folderBox);
    fl->addWidget(
        new QLabel(QStringLiteral("녹취파일이 저장될 공유폴더를 선택하세요."), folderBox));
    auto *row = new QHBoxLayout;
    m_folder = new QLineEdit(folderBox);
    m_folder->setObjectName(QStringLiteral("folderEdit"));
    auto *choose = new QPushButton(QStringLiteral("..."), folderBox);
    choose->setObjectName(QStringLiteral("folderButton"));
    choose->setFixedWidth(30);
    row->addWidget(m_folder);
    row->addWidget(choose);
    fl->addLayout(row);
    layout->addWidget(folderBox);
    connect(choose, &QPushButton::clicked, this, [this] {
        const QString dir = m_ctx.files.chooseFolder(QStringLiteral("경로 선택"), m_folder->text());
        if (!dir.isEmpty())
            m_folder->setText(dir);
    });

    if (kind == Kind::Lgu) {
        auto *pwBox = new QGroupBox(QStringLiteral("U+ 비밀번호 설정"), this);
        auto *pl = new QVBoxLayout(pwBox);
        auto *pr = new QHBoxLayout;
        pr->addWidget(new QLabel(QStringLiteral("U+ 비밀번호 : "), pwBox));
        m_password = new QLineEdit(pwBox);
        m_password->setObjectName(QStringLiteral("uplusPasswordEdit"));
        m_password->setEchoMode(QLineEdit::Password);
        pr->addWidget(m_password);
        pl->addLayout(pr);
        auto *hint = new QLabel(QStringLiteral("U+ 관리자화면에서 비밀번호를 초기화 하신 후 설정한 "
                                               "비밀번호를 저장하세요."),
                                pwBox);
        hint->setWordWrap(true);
        pl->addWidget(hint);
        auto *link = new ClickLabel(QStringLiteral("U+ 관리자화면"), pwBox);
        link->setObjectName(QStringLiteral("centrexAdminLink"));
        link->setStyleSheet(QStringLiteral("color:#2255aa;text-decoration:underline"));
        connect(link, &ClickLabel::clicked, this, [this] {
            m_ctx.launcher.openUrl(m_ctx.hosts().centrexUrl(QStringLiteral("/premium/")));
        });
        pl->addWidget(link);
        layout->addWidget(pwBox);
    }

    auto *etc = new QGroupBox(QStringLiteral("기타설정"), this);
    auto *el = new QVBoxLayout(etc);
    m_record = check(QStringLiteral("자동녹취"), QStringLiteral("recordCheck"));
    m_booting = check(QStringLiteral("부팅시 자동실행"), QStringLiteral("bootingCheck"));
    if (kind == Kind::Lgu)
        m_innernum =
            check(QStringLiteral("모든수신전화 알림창 보기"), QStringLiteral("innernumCheck"));
    m_busy = check(QStringLiteral("부재중 체크"), QStringLiteral("busyCheck"));
    for (QCheckBox *c : {m_record, m_booting, m_innernum, m_busy})
        if (c) {
            c->setParent(etc);
            el->addWidget(c);
        }
    layout->addWidget(etc);

    auto *buttons = new QHBoxLayout;
    auto *save = new QPushButton(QStringLiteral("저장"), this);
    save->setObjectName(QStringLiteral("saveButton"));
    auto *cancel = new QPushButton(QStringLiteral("취소"), this);
    cancel->setObjectName(QStringLiteral("cancelButton"));
    auto *close = new QPushButton(QStringLiteral("닫기"), this);
    close->setObjectName(QStringLiteral("closeButton"));
    buttons->addWidget(save);
    buttons->addWidget(cancel);
    buttons->addWidget(close);
    layout->addLayout(buttons);
    connect(save, &QPushButton::clicked, this, &SettingsPanel::save);
    connect(cancel, &QPushButton::clicked, this, &QWidget::hide);
    connect(close, &QPushButton::clicked, this, &QWidget::hide);
    adjustSize();
}

QCheckBox *SettingsPanel::check(const QString &text, const QString &name) {
    auto *c = new QCheckBox(text, this);
    c->setObjectName(name);
    return c;
}

void SettingsPanel::load() {
    Settings &s = m_ctx.settings;
    m_folder->setText(s.read(QStringLiteral("serverpath")));
    m_record->setChecked(s.read(QStringLiteral("record")) == QLatin1String("1"));
    m_booting->setChecked(s.read(QStringLiteral("booting")) == QLatin1String("1"));
    m_busy->setChecked(s.read(QStringLiteral("chk_busy")) == QLatin1String("chk"));
    if (m_password)
        m_password->setText(s.read(QStringLiteral("upluspass")));
    if (m_innernum)
        m_innernum->setChecked(s.read(QStringLiteral("innernum")) == QLatin1String("chk"));
}

void SettingsPanel::save() {
    Settings &s = m_ctx.settings;
    if (m_kind == Kind::Lgu) {
        // Steps whose failure does not stop the save.
        try {
            s.write(QStringLiteral("upluspass"), m_password->text());
            s.write(QStringLiteral("serverpath"), m_folder->text());
            m_ctx.session.telephonyPassword = m_password->text();
            const HttpReply sha =
                HttpClient(m_ctx.hosts())
                    .get(m_ctx.hosts().service(Hosts::Scheme::Http,
                                               QStringLiteral("/Tandrivox/get_sha.php?str=") +
                                                   scrambler::scramble(m_password->text())),
                         ServiceClient::kPrimaryTimeoutMs);
            s.write(QStringLiteral("sha512"), QString::fromLatin1(sha.body).trimmed());
            s.write(QStringLiteral("innernum"),
                    m_innernum->isChecked() ? QStringLiteral("chk") : QString());
        } catch (...) {
        }
        s.write(QStringLiteral("record"),
                m_record->isChecked() ? QStringLiteral("1") : QStringLiteral("0"));
        Q_EMIT recordChanged(m_record->isChecked());
    } else {
        s.write(QStringLiteral("serverpath"), m_folder->text());
        s.write(QStringLiteral("record"),
                m_record->isChecked() ? QStringLiteral("1") : QStringLiteral("0"));
    }
    s.write(QStringLiteral("chk_busy"),
            m_busy->isChecked() ? QStringLiteral("chk") : QStringLiteral("unchk"));
    try {
        const bool on = m_booting->isChecked();
        s.write(QStringLiteral("booting"), on ? QStringLiteral("1") : QStringLiteral("0"));
        m_ctx.desktop.setAutostart(on, m_ctx.executable);
    } catch (const std::exception &e) {
        // The system's own message; the panel stays open and what was written stays written.
        m_ctx.prompter.message(QString::fromLocal8Bit(e.what()), QStringLiteral("오류"),
                               Prompter::Icon::Error);
        return;
    }
    m_ctx.prompter.message(QStringLiteral("저장이 완료되었습니다."), QStringLiteral("저장"));
    hide();
}

} // namespace tdx
