#pragma once

#include <QString>
#include <QStringList>
#include <initializer_list>

namespace tdx::test {

// A list of UTF-8 literals, for comparisons in tests.
inline QStringList strs(std::initializer_list<const char *> items) {
    QStringList out;
    for (const char *s : items)
        out << QString::fromUtf8(s);
    return out;
}

} // namespace tdx::test
