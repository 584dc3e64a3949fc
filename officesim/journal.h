#pragma once

#include <QByteArray>
#include <QDateTime>
#include <QList>
#include <QPair>
#include <QString>
#include <deque>
#include <optional>

namespace officesim {

// Every request officesim received, newest last, so that a test (or a person at "/sim/") can
// check what the client actually sent.
struct JournalEntry {
    qint64 seq = 0;
    QDateTime at;
    QString scheme;
    QString method;
    QString path;
    QByteArray rawQuery;
    QByteArray body;
    int status = 0;
    // For data requests: the operation and its fields in the order they were sent, decoded.
    QString pKind;
    QList<QPair<QString, QString>> fields;

    QString field(const QString &name) const; // first field of that name
    QStringList fieldNames() const;
};

class Journal {
public:
    static constexpr std::size_t kCapacity = 20000;

    JournalEntry &append(JournalEntry entry);
    QList<JournalEntry> all() const;
    QList<JournalEntry> since(qint64 seq) const;
    QList<JournalEntry> withPath(const QString &path) const;
    QList<JournalEntry> withKind(const QString &pKind) const;
    std::optional<JournalEntry> last() const;
    JournalEntry *find(qint64 seq);
    qint64 lastSeq() const { return m_seq; }
    void clear();

    QByteArray toJson(qint64 sinceSeq = 0) const;

private:
    std::deque<JournalEntry> m_entries;
    qint64 m_seq = 0;
};

} // namespace officesim
