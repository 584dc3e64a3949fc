#include "telephony/pwfrm.h"

#include "shell/core/appcontext.h"
#include "shell/widgets/clicklabel.h"

#include <QLabel>
#include <QScrollArea>
#include <QScrollBar>
#include <QVBoxLayout>
#include <QWheelEvent>

namespace tdx {

TpwFrm::TpwFrm(AppContext &ctx, QString phone, QWidget *parent)
    : QDialog(parent), m_ctx(ctx), m_phone(std::move(phone)), m_scroll(new QScrollArea(this)) {
    setObjectName(QStringLiteral("pwFrm"));
    setWindowTitle(QStringLiteral("유플러스 비밀번호 변경"));
    resize(560, 640);
    auto *layout = new QVBoxLayout(this);
    m_scroll->setObjectName(QStringLiteral("scrollArea"));
    auto *content = new QWidget;
    auto *inner = new QVBoxLayout(content);
    auto *guide = new ClickLabel(content);
    guide->setObjectName(QStringLiteral("guidePicture"));
    guide->setPicture(m_ctx.file(QStringLiteral("img/pw_guide.png")),
                      QStringLiteral("U+ 비밀번호는 12개월마다 변경해야 합니다.\n\n"
                                     "1. 아래 버튼을 눌러 U+ 센트릭스 관리 화면을 엽니다.\n"
                                     "2. 현재 비밀번호와 새 비밀번호를 입력하고 저장합니다.\n"
                                     "3. Tandrivox의 설정 화면에서 새 비밀번호를 저장합니다."));
    guide->setMinimumHeight(kScrollRange);
    guide->setAlignment(Qt::AlignTop | Qt::AlignLeft);
    guide->setWordWrap(true);
    auto *button = new ClickLabel(content);
    button->setObjectName(QStringLiteral("changeButton"));
    button->setPicture(m_ctx.file(QStringLiteral("img/pw_button.png")),
                       QStringLiteral("비밀번호 변경하기"));
    button->setStyleSheet(
        QStringLiteral("background:#2f5d9a;color:white;padding:10px;font-weight:bold"));
    connect(button, &ClickLabel::clicked, this, &TpwFrm::openChangePage);
    inner->addWidget(guide);
    inner->addWidget(button);
    m_scroll->setWidget(content);
    m_scroll->setWidgetResizable(true);
    m_scroll->viewport()->installEventFilter(this);
    layout->addWidget(m_scroll);
}

void TpwFrm::openChangePage() {
    m_ctx.launcher.openUrl(
        m_ctx.hosts().centrexUrl(QStringLiteral("/premium/backoffice/pwc.html?id=") + m_phone));
}

void TpwFrm::showEvent(QShowEvent *e) {
    QDialog::showEvent(e);
    m_scroll->setFocus();
}

bool TpwFrm::eventFilter(QObject *watched, QEvent *event) {
    if (watched == m_scroll->viewport() && event->type() == QEvent::Wheel) {
        // Two lines a notch: down for a negative delta, up otherwise.
        QScrollBar *bar = m_scroll->verticalScrollBar();
        const int step = 2 * bar->singleStep();
        bar->setValue(bar->value() +
                      (static_cast<QWheelEvent *>(event)->angleDelta().y() < 0 ? step : -step));
        return true;
    }
    return QDialog::eventFilter(watched, event);
}

} // namespace tdx
