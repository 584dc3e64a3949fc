#include "service/textutil.h"

#include "service/codec.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QStandardPaths>
#include <QThread>

#ifdef Q_OS_WIN
#include <QSettings>
#endif

namespace tdx::text {

static bool isDigit(QChar c) {
    return c >= QLatin1Char('0') && c <= QLatin1Char('9');
}

QString trimReplace(const QString &text, const QString &from, const QString &to) {
    QString out = text.trimmed();
    if (!from.isEmpty())
        out.replace(from, to, Qt::CaseInsensitive);
    return out;
}

QString digitsTail(const QString &text) {
    QString out;
    bool started = false;
    for (QChar c : text) {
        started = started || isDigit(c);
        if (started && isDigit(c))
            out += c;
    }
    return out;
}

QString businessNumber(const QString &text) {
    QString s = text;
    s.remove(QLatin1Char(' '));
    s.remove(QLatin1Char('-'));
    const QString d = digitsTail(s.left(10));
    if (d.size() != 10)
        return {};
    static const int weights[] = {1, 3, 7, 1, 3, 7, 1, 3};
    int sum = 0;
    for (int i = 0; i < 8; ++i)
        sum += d[i].digitValue() * weights[i];
    const int d9 = d[8].digitValue();
    sum += (5 * d9) / 10 + (5 * d9) % 10;
    return d[9].digitValue() == (10 - sum % 10) % 10 ? d : QString();
}

QString between(const QString &text, const QString &start, const QString &end, int choice) {
    const qsizetype s = text.indexOf(start);
    if (s < 0)
        return {};
    const qsizetype from = s + start.size();
    const qsizetype e = text.indexOf(end, from);
    if (e < 0)
        return {};
    return choice == 1 ? text.mid(from, e - from).trimmed() : text.mid(e);
}

std::optional<QString> thousands(const QString &wholeNumber) {
    const QString t = wholeNumber.trimmed();
    if (t.isEmpty())
        return QStringLiteral("0");
    bool ok = false;
    const qlonglong v = t.toLongLong(&ok);
    if (!ok)
        return std::nullopt;
    QString digits = QString::number(v < 0 ? -v : v);
    for (qsizetype i = digits.size() - 3; i > 0; i -= 3)
        digits.insert(i, QLatin1Char(','));
    return v < 0 ? QLatin1Char('-') + digits : digits;
}

QString removeDashes(const QString &text) {
    QString out = text;
    out.remove(QLatin1Char('-'));
    return out;
}

bool isMobile(const QString &text) {
    const QString d = removeDashes(text.trimmed());
    for (QChar c : d)
        if (!isDigit(c))
            return false;
    if (d.size() == 11)
        return d.startsWith(QLatin1String("010"));
    if (d.size() == 10)
        return d.startsWith(QLatin1String("011")) || d.startsWith(QLatin1String("017")) ||
               d.startsWith(QLatin1String("018")) || d.startsWith(QLatin1String("019"));
    return false;
}

// The first n, then m (then k) characters of d, joined by dashes.
static QString split(const QString &d, std::initializer_list<int> parts) {
    QString out;
    int at = 0;
    for (int n : parts) {
        if (!out.isEmpty())
            out += QLatin1Char('-');
        out += d.mid(at, n);
        at += n;
    }
    return out;
}

QString phoneWithDashes(const QString &text) {
    const QString d = removeDashes(text);
    if (d.isEmpty())
        return {};
    if (d.size() >= 13)
        return text.left(13);
    const qsizetype n = d.size();
    if (!d.startsWith(QLatin1Char('0'))) {
        if (n == 4)
            return split(d, {3, 1});
        if (n == 8)
            return split(d, {4, 4});
        return text;
    }
    if (d.startsWith(QLatin1String("02"))) {
        switch (n) {
        case 3:
            return split(d, {2, 1});
        case 6:
            return split(d, {2, 3, 1});
        case 9:
            return split(d, {2, 3, 4});
        case 10:
            return split(d, {2, 4, 4});
        default:
            return text;
        }
    }
    switch (n) {
    case 4:
        return split(d, {3, 1});
    case 7:
        return split(d, {3, 3, 1});
    case 10:
        return split(d, {3, 3, 4});
    case 11:
        return split(d, {3, 4, 4});
    default:
        return text;
    }
}

QString timeOfDay(const QString &hhmmss) {
    if (hhmmss.size() != 8)
        return {};
    bool ok = false;
    const int hour = hhmmss.left(2).toInt(&ok);
    if (!ok)
        return {};
    const QString minutes = hhmmss.mid(3, 2);
    if (hour < 13)
        return QStringLiteral("오전 ") + QString::number(hour) + QLatin1Char(':') + minutes;
    return QStringLiteral("오후 ") + QString::number(hour - 12) + QLatin1Char(':') + minutes;
}

QString weekday(const QDate &date) {
    static const char16_t *names[] = {u"월요일", u"화요일", u"수요일", u"목요일",
                                      u"금요일", u"토요일", u"일요일"};
    const int d = date.dayOfWeek();
    return d >= 1 && d <= 7 ? QString::fromUtf16(names[d - 1]) : QString();
}

QString keyValue(const QString &text, const QString &key) {
    QString result;
    for (const QString &pair : text.split(QLatin1Char('|'))) {
        const QStringList pieces = pair.split(QLatin1Char(':'));
        if (pieces.size() >= 2 && pieces[0] == key)
            result = pieces[1];
    }
    return result;
}

bool isNumberKey(QChar c) {
    return c == QLatin1Char('\b') || isDigit(c) || c == QLatin1Char('-');
}

QByteArray formEncode(const QByteArray &bytes) {
    static const char hex[] = "0123456789abcdef";
    QByteArray out;
    out.reserve(bytes.size() * 3);
    for (char ch : bytes) {
        const auto c = static_cast<unsigned char>(ch);
        if ((c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') ||
            c == '*' || c == '@' || c == '.' || c == '_' || c == '-' || c == '$' || c == '!' ||
            c == '\'' || c == '(' || c == ')') {
            out += char(c);
        } else if (c == ' ') {
            out += '+';
        } else {
            out += '%';
            out += hex[c >> 4];
            out += hex[c & 15];
        }
    }
    return out;
}

static int hexValue(char c) {
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return -1;
}

std::optional<QByteArray> formDecode(const QByteArray &encoded) {
    QByteArray out;
    out.reserve(encoded.size());
    const char *p = encoded.constData();
    const qsizetype n = encoded.size();
    for (qsizetype i = 0; i < n; ++i) {
        const char c = p[i];
        if (c == '+') {
            out += ' ';
        } else if (c != '%') {
            out += c;
        } else if (i + 1 < n && p[i + 1] == '%') {
            out += '%';
            ++i;
        } else {
            if (i + 2 >= n)
                return std::nullopt;
            const int hi = hexValue(p[i + 1]), lo = hexValue(p[i + 2]);
            if (hi < 0 || lo < 0)
                return std::nullopt;
            out += char(hi * 16 + lo);
            i += 2;
        }
    }
    return out;
}

QString readFile(const QString &path) {
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        return {};
    return cp949::decode(f.readAll());
}

bool writeFile(const QString &path, const QString &text) {
    QString t = text;
    t.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    t.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    t.replace(QLatin1Char('\n'), QStringLiteral("\r\n"));
    t += QStringLiteral("\r\n");
    QSaveFile f(path);
    if (!f.open(QIODevice::WriteOnly))
        return false;
    f.write(cp949::encode(t));
    return f.commit();
}

bool createFolders(const QString &path) {
    QString p = path;
    p.replace(QLatin1Char('\\'), QLatin1Char('/'));
    if (p.isEmpty())
        return false;
    if (p.startsWith(QLatin1String("//"))) {
        // \\server\share\rest: the share is the root; only "rest" can be created.
        const QStringList parts = p.mid(2).split(QLatin1Char('/'), Qt::SkipEmptyParts);
        if (parts.size() < 2)
            return false;
        const QString root = QStringLiteral("//") + parts[0] + QLatin1Char('/') + parts[1];
        if (!QFileInfo(root).isDir())
            return false;
        return QDir(root).mkpath(parts.mid(2).join(QLatin1Char('/')).isEmpty()
                                     ? QStringLiteral(".")
                                     : parts.mid(2).join(QLatin1Char('/')));
    }
    return QDir().mkpath(p);
}

qint64 waitForFile(const QString &path, bool giveUp, int timeoutMs) {
    QDeadlineTimer deadline(timeoutMs);
    for (;;) {
        QCoreApplication::processEvents();
        if (!QFileInfo::exists(path))
            return 0;
        QFile f(path);
        if (f.open(QIODevice::ReadOnly))
            return f.size();
        if (giveUp || deadline.hasExpired())
            return -1;
        QThread::msleep(20);
    }
}

QString desktopFolder() {
    return QStandardPaths::writableLocation(QStandardPaths::DesktopLocation);
}

QString excelVersionFromPath(const QString &pathValue) {
    const QString path = pathValue + QStringLiteral("excel.exe");
    const QStringList parts = path.split(QLatin1Char('\\'));
    if (parts.size() >= 2) {
        QString folder = parts[parts.size() - 2];
        folder.remove(QStringLiteral("Office"), Qt::CaseInsensitive);
        bool ok = false;
        folder.toDouble(&ok);
        if (ok && !folder.isEmpty())
            return folder + QStringLiteral(".0");
    }
    for (int v = 11; v <= 16; ++v)
        if (path.contains(QStringLiteral("Office%1").arg(v), Qt::CaseInsensitive))
            return QStringLiteral("%1.0").arg(v);
    return {};
}

QString excelVersion() {
#ifdef Q_OS_WIN
    QSettings key(QStringLiteral("HKEY_LOCAL_MACHINE\\SOFTWARE\\Microsoft\\Windows\\"
                                 "CurrentVersion\\App Paths\\excel.exe"),
                  QSettings::NativeFormat);
    if (!key.contains(QStringLiteral("Path")))
        return {};
    return excelVersionFromPath(key.value(QStringLiteral("Path")).toString());
#else
    return {};
#endif
}

} // namespace tdx::text
