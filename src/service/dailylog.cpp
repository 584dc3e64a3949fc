#include "service/dailylog.h"

#include "service/codec.h"
#include "service/textutil.h"

#include <QDir>
#include <QFile>

namespace tdx {

QString DailyLog::folder() const {
    return QDir(m_appDir).filePath(QStringLiteral("log"));
}

QString DailyLog::file(Kind kind, const QDate &date) const {
    return QDir(folder()).filePath(
        (kind == Kind::Log ? QStringLiteral("log_") : QStringLiteral("record_")) +
        date.toString(QStringLiteral("yyyyMMdd")) + QStringLiteral(".txt"));
}

QString DailyLog::stamp() const {
    return m_clock.now().toString(QStringLiteral("yyyyMMdd HHmmss"));
}

bool DailyLog::append(Kind kind, const QString &entry) {
    QString text = entry;
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    text.replace(QLatin1Char('\n'), QStringLiteral("\r\n"));
    const QByteArray bytes = cp949::encode(text + QStringLiteral("\r\n\r\n"));
    QMutexLocker lock(&m_mutex);
    // A missing log folder is created rather than losing the day's entries.
    QDir().mkpath(folder());
    QFile f(file(kind, m_clock.today()));
    if (!f.open(QIODevice::WriteOnly | QIODevice::Append))
        return false;
    return f.write(bytes) == bytes.size();
}

void DailyLog::deleteOld(int days, const std::function<void(const QString &)> &noDate) const {
    const qlonglong cutoff =
        m_clock.today().addDays(-(days - 1)).toString(QStringLiteral("yyyyMMdd")).toLongLong();
    QDir dir(folder());
    const auto entries = dir.entryInfoList(QDir::Files | QDir::Hidden | QDir::System, QDir::Name);
    for (const QFileInfo &fi : entries) {
        const QString digits = text::digitsTail(fi.fileName());
        bool ok = false;
        const qlonglong number = digits.toLongLong(&ok);
        if (digits.isEmpty() || !ok) {
            // A name too long to be a date is no date either; it is kept.
            if (digits.isEmpty() && noDate)
                noDate(fi.fileName());
            continue;
        }
        if (number < cutoff)
            QFile::remove(fi.filePath());
    }
}

} // namespace tdx
