#include "officesim/journal.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

namespace officesim {

QString JournalEntry::field(const QString &name) const {
    for (const auto &f : fields)
        if (f.first == name)
            return f.second;
    return {};
}

QStringList JournalEntry::fieldNames() const {
    QStringList names;
    for (const auto &f : fields)
        names << f.first;
    return names;
}

JournalEntry &Journal::append(JournalEntry entry) {
    entry.seq = ++m_seq;
    m_entries.push_back(std::move(entry));
    while (m_entries.size() > kCapacity)
        m_entries.pop_front();
    return m_entries.back();
}

QList<JournalEntry> Journal::all() const {
    return since(0);
}

QList<JournalEntry> Journal::since(qint64 seq) const {
    QList<JournalEntry> out;
    for (const auto &e : m_entries)
        if (e.seq > seq)
            out << e;
    return out;
}

QList<JournalEntry> Journal::withPath(const QString &path) const {
    QList<JournalEntry> out;
    for (const auto &e : m_entries)
        if (e.path == path)
            out << e;
    return out;
}

QList<JournalEntry> Journal::withKind(const QString &pKind) const {
    QList<JournalEntry> out;
    for (const auto &e : m_entries)
        if (e.pKind == pKind)
            out << e;
    return out;
}

std::optional<JournalEntry> Journal::last() const {
    if (m_entries.empty())
        return std::nullopt;
    return m_entries.back();
}

JournalEntry *Journal::find(qint64 seq) {
    for (auto it = m_entries.rbegin(); it != m_entries.rend(); ++it)
        if (it->seq == seq)
            return &*it;
    return nullptr;
}

void Journal::clear() {
    m_entries.clear();
}

QByteArray Journal::toJson(qint64 sinceSeq) const {
    QJsonArray list;
    for (const auto &e : m_entries) {
        if (e.seq <= sinceSeq)
            continue;
        QJsonObject o;
        o.insert(QStringLiteral("seq"), e.seq);
        o.insert(QStringLiteral("at"), e.at.toString(Qt::ISODateWithMs));
        o.insert(QStringLiteral("scheme"), e.scheme);
        o.insert(QStringLiteral("method"), e.method);
        o.insert(QStringLiteral("path"), e.path);
        o.insert(QStringLiteral("query"), QString::fromLatin1(e.rawQuery));
        o.insert(QStringLiteral("status"), e.status);
        if (!e.pKind.isEmpty())
            o.insert(QStringLiteral("pKind"), e.pKind);
        QJsonArray fields;
        for (const auto &f : e.fields)
            fields.append(QJsonArray{f.first, f.second});
        if (!fields.isEmpty())
            o.insert(QStringLiteral("fields"), fields);
        list.append(o);
    }
    return QJsonDocument(list).toJson(QJsonDocument::Compact);
}

} // namespace officesim
