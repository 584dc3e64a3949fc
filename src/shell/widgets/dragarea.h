#pragma once

#include <QWidget>

namespace tdx {

// Makes a widget (a title bar, a background picture) move its top-level window when dragged,
// as a borderless window's caption would.
class DragArea : public QObject {
    Q_OBJECT
public:
    // Installs itself on `handle`; dragging it moves handle->window().
    static DragArea *install(QWidget *handle);

Q_SIGNALS:
    void dragStarted();
    void dragged();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    explicit DragArea(QWidget *handle);
    QPoint m_offset;
    bool m_dragging = false;
};

} // namespace tdx
