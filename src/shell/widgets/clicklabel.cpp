#include "shell/widgets/clicklabel.h"

#include <QMouseEvent>

namespace tdx {

void ClickLabel::setPicture(const QString &file, const QString &fallback) {
    m_picture = file;
    const QPixmap pix(file);
    if (pix.isNull()) {
        setText(fallback);
        return;
    }
    setPixmap(pix);
}

void ClickLabel::mousePressEvent(QMouseEvent *e) {
    if (e->button() == Qt::RightButton)
        Q_EMIT rightPressed();
    QLabel::mousePressEvent(e);
}

void ClickLabel::mouseReleaseEvent(QMouseEvent *e) {
    if (e->button() == Qt::LeftButton && rect().contains(e->position().toPoint()))
        Q_EMIT clicked();
    QLabel::mouseReleaseEvent(e);
}

} // namespace tdx
