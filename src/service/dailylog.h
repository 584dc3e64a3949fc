#pragma once

#include "platform/clock.h"

#include <QMutex>
#include <QString>

namespace tdx {

// The daily text logs under "log/": "log_yyyymmdd.txt" (reports and request lines) and
// "record_yyyymmdd.txt" (recording notes). Entries are appended in CP949 with CRLF line breaks,
// each followed by an empty line. A day's earlier entries are never read back or rewritten.
class DailyLog {
public:
    enum class Kind { Log, Record };

    DailyLog(QString appDir, const Clock &clock) : m_appDir(std::move(appDir)), m_clock(clock) {}

    // Appends entry + CRLF CRLF to today's file; false when it could not be written.
    bool append(Kind kind, const QString &entry);
    QString file(Kind kind, const QDate &date) const;
    QString folder() const;
    // "yyyymmdd hhmmss" of the clock's current time.
    QString stamp() const;

    // Deletes the files of the log folder whose date (the digits from the first digit of the
    // name on) is before today − (days − 1). Names without digits are passed to `noDate`.
    void deleteOld(int days, const std::function<void(const QString &name)> &noDate) const;

private:
    QString m_appDir;
    const Clock &m_clock;
    QMutex m_mutex; // the Centrex worker writes the recording log from its own thread
};

} // namespace tdx
