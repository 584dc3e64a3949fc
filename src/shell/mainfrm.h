#pragma once

#include "shell/core/appcontext.h"

#include <QWidget>

namespace tdx {

class TmainFrm : public QWidget {
    Q_OBJECT
public:
    explicit TmainFrm(AppContext &ctx, QWidget *parent = nullptr);

private:
    AppContext &m_ctx;
};

} // namespace tdx
