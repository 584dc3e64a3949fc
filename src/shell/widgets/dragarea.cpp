#include "shell/widgets/dragarea.h"

#include <QMouseEvent>

namespace tdx {

DragArea::DragArea(QWidget *handle) : QObject(handle) {
    handle->installEventFilter(this);
}

DragArea *DragArea::install(QWidget *handle) {
    return new DragArea(handle);
}

bool DragArea::eventFilter(QObject *watched, QEvent *event) {
    auto *w = qobject_cast<QWidget *>(watched);
    if (!w)
        return false;
    switch (event->type()) {
    case QEvent::MouseButtonPress: {
        auto *me = static_cast<QMouseEvent *>(event);
        if (me->button() != Qt::LeftButton)
            break;
        m_dragging = true;
        m_offset = me->globalPosition().toPoint() - w->window()->frameGeometry().topLeft();
        Q_EMIT dragStarted();
        break;
    }
    case QEvent::MouseMove: {
        auto *me = static_cast<QMouseEvent *>(event);
        if (m_dragging && (me->buttons() & Qt::LeftButton)) {
            w->window()->move(me->globalPosition().toPoint() - m_offset);
            Q_EMIT dragged();
        }
        break;
    }
    case QEvent::MouseButtonRelease:
        m_dragging = false;
        break;
    default:
        break;
    }
    return false;
}

} // namespace tdx
