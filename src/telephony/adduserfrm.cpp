#include "telephony/adduserfrm.h"

#include "shell/core/appcontext.h"
#include "shell/widgets/dragarea.h"
#include "telephony/imslibrary.h"
#include "telephony/imsnames.h"
#include "telephony/providerconfig.h"

#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace tdx {

TadduserFrm::TadduserFrm(AppContext &ctx, ImsLibrary &ims, QWidget *parent)
    : QDialog(parent, Qt::FramelessWindowHint | Qt::Dialog), m_ctx(ctx), m_ims(ims) {
    setObjectName(QStringLiteral("adduserFrm"));
    setWindowTitle(QStringLiteral("사용자등록"));
    setStyleSheet(QStringLiteral("#adduserFrm{background:white;border:1px solid #7d8899}"));
    auto *layout = new QVBoxLayout(this);
    auto *title = new QLabel(QStringLiteral("사용자 등록"), this);
    title->setObjectName(QStringLiteral("titleLabel"));
    title->setStyleSheet(QStringLiteral(
        "font-weight:bold;font-size:15px;background:#2f5d9a;color:white;padding:8px"));
    DragArea::install(title);
    layout->addWidget(title);

    auto *form = new QFormLayout;
    m_phoneEdit = new QLineEdit(this);
    m_phoneEdit->setObjectName(QStringLiteral("phoneEdit"));
    m_phoneEdit->setEchoMode(QLineEdit::Password);
    m_codeEdit = new QLineEdit(this);
    m_codeEdit->setObjectName(QStringLiteral("codeEdit"));
    m_codeEdit->setEchoMode(QLineEdit::Password);
    auto *request = new QPushButton(QStringLiteral("인증요청"), this);
    request->setObjectName(QStringLiteral("requestCodeButton"));
    auto *phoneRow = new QHBoxLayout;
    phoneRow->addWidget(m_phoneEdit);
    phoneRow->addWidget(request);
    form->addRow(QStringLiteral("전화번호"), phoneRow);
    form->addRow(QStringLiteral("인증번호"), m_codeEdit);
    layout->addLayout(form);
    layout->addWidget(
        new QLabel(QStringLiteral("인증요청 후 전화기에서 확인한 인증번호를 입력하시고"), this));
    layout->addWidget(new QLabel(QStringLiteral("등록버튼을 눌러주세요"), this));

    auto *buttons = new QHBoxLayout;
    auto *reg = new QPushButton(QStringLiteral("등록"), this);
    reg->setObjectName(QStringLiteral("registerButton"));
    auto *done = new QPushButton(QStringLiteral("완료"), this);
    done->setObjectName(QStringLiteral("doneButton"));
    auto *close = new QPushButton(QStringLiteral("닫기"), this);
    close->setObjectName(QStringLiteral("closeButton"));
    buttons->addWidget(reg);
    buttons->addWidget(done);
    buttons->addWidget(close);
    layout->addLayout(buttons);

    connect(request, &QPushButton::clicked, this, &TadduserFrm::requestCode);
    connect(reg, &QPushButton::clicked, this, &TadduserFrm::registerUser);
    connect(done, &QPushButton::clicked, this, &TadduserFrm::finish);
    connect(close, &QPushButton::clicked, this, &QDialog::reject);
}

void TadduserFrm::setPhone(const QString &phone) {
    m_phoneEdit->setText(phone);
}

void TadduserFrm::requestCode() {
    const QString phone = m_phoneEdit->text().trimmed();
    if (phone.isEmpty()) {
        m_ctx.prompter.message(QStringLiteral("인터넷 전화번호를 입력하세요."),
                               QStringLiteral("오류"), Prompter::Icon::Error);
        return;
    }
    if (m_ctx.prompter.confirm(QStringLiteral("인증문자를 발송하시겠습니까?"),
                               QStringLiteral("인증문자발송")))
        m_ims.IMS_AuthSms(phone);
}

void TadduserFrm::registerUser() {
    const QString phone = m_phoneEdit->text().trimmed();
    if (phone.isEmpty()) {
        m_ctx.prompter.message(QStringLiteral("전화번호를 입력하세요."), QStringLiteral("오류"));
        m_phoneEdit->setFocus();
        return;
    }
    if (m_codeEdit->text().size() <= 5) {
        m_ctx.prompter.message(QStringLiteral("인증번호를 입력하세요."), QStringLiteral("오류"));
        m_codeEdit->setFocus();
        return;
    }
    m_newId = QString::fromLatin1(provider::kSkbIdPrefix) + phone +
              QString::fromLatin1(provider::kSkbIdSuffix);
    const QString password = phone + QString::fromLatin1(provider::kSkbPasswordSuffix);
    const QString result = ims::resultName(
        m_ims.IMS_CreateUser(m_newId, password, phone, m_codeEdit->text().trimmed()));
    if (result == QLatin1String("API_FC_USER_ALREADY_ADDED")) {
        m_ctx.prompter.message(QStringLiteral("이미 등록된 사용자입니다."), QStringLiteral("오류"),
                               Prompter::Icon::Error);
    } else if (result == QLatin1String("CLIF_FC_IMS_INVALID_DN")) {
        m_ctx.prompter.message(QStringLiteral("전화번호 오류입니다.."), QStringLiteral("알림"),
                               Prompter::Icon::Error);
    } else if (result == QLatin1String("SUCCESS")) {
        m_ctx.prompter.message(QStringLiteral("등록이 완료되었습니다."), QStringLiteral("알림"));
        m_registered = true;
        m_phone = phone;
    }
}

void TadduserFrm::finish() {
    if (m_registered)
        accept();
    else
        reject();
}

} // namespace tdx
