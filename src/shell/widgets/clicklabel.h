#pragma once

#include <QLabel>

namespace tdx {

// A picture or caption that reacts to a click, as the views' pictures and links do.
class ClickLabel : public QLabel {
    Q_OBJECT
public:
    explicit ClickLabel(QWidget *parent = nullptr) : QLabel(parent) {
        setCursor(Qt::PointingHandCursor);
    }
    ClickLabel(const QString &text, QWidget *parent) : ClickLabel(parent) { setText(text); }

    // Shows a picture from a file, or the fallback text when the file is missing.
    void setPicture(const QString &file, const QString &fallback = {});
    QString picture() const { return m_picture; }

Q_SIGNALS:
    void clicked();
    void rightPressed();

protected:
    void mousePressEvent(QMouseEvent *e) override;
    void mouseReleaseEvent(QMouseEvent *e) override;

private:
    QString m_picture;
};

} // namespace tdx
