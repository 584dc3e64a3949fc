#include "shell/mainfrm.h"

namespace tdx {

TmainFrm::TmainFrm(AppContext &ctx, QWidget *parent) : QWidget(parent), m_ctx(ctx) {
    setWindowTitle(QStringLiteral("Tandrivox"));
    resize(357, 616);
}

} // namespace tdx
