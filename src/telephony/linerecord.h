#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

// The records of the simulated telephone line: tab-separated fields, one record per line, UTF-8,
// with tab, newline, carriage return and backslash escaped by a backslash.
namespace tdx::linerecord {

inline QByteArray encode(const QStringList &fields) {
    QString out;
    for (qsizetype i = 0; i < fields.size(); ++i) {
        if (i)
            out += QLatin1Char('\t');
        for (QChar c : fields[i]) {
            if (c == QLatin1Char('\\'))
                out += QStringLiteral("\\\\");
            else if (c == QLatin1Char('\t'))
                out += QStringLiteral("\\t");
            else if (c == QLatin1Char('\n'))
                out += QStringLiteral("\\n");
            else if (c == QLatin1Char('\r'))
                out += QStringLiteral("\\r");
            else
                out += c;
        }
    }
    return out.toUtf8() + '\n';
}

inline QStringList decode(const QByteArray &line) {
    QStringList fields{QString()};
    const QString text = QString::fromUtf8(line);
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text[i];
        if (c == QLatin1Char('\t')) {
            fields << QString();
        } else if (c == QLatin1Char('\\') && i + 1 < text.size()) {
            const QChar n = text[++i];
            fields.last() += n == QLatin1Char('t')   ? QChar(u'\t')
                             : n == QLatin1Char('n') ? QChar(u'\n')
                             : n == QLatin1Char('r') ? QChar(u'\r')
                                                     : n;
        } else {
            fields.last() += c;
        }
    }
    return fields;
}

} // namespace tdx::linerecord
