#pragma once

#include <QString>
#include <QWidget>
#include <QtGlobal>

namespace tdx::test {

// The child widget of that object name; a test cannot go on without it.
template <typename T> T *child(QWidget &w, const char *name) {
    T *c = w.findChild<T *>(QString::fromLatin1(name));
    if (!c)
        qFatal("no child %s", name);
    return c;
}

} // namespace tdx::test
