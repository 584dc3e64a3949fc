#include "service/responsetable.h"

#include "service/textutil.h"

#include <rapidjson/document.h>
#include <rapidjson/error/en.h>

namespace tdx {

void ResponseTable::clear() {
    m_columns.clear();
    m_cells.clear();
    m_rows = 0;
}

void ResponseTable::reset(const QStringList &columns, int rows) {
    m_columns = columns;
    m_rows = rows;
    m_cells.assign(std::size_t(rows) * std::size_t(columns.size()), QString());
}

int ResponseTable::field_index(const QString &name) const {
    const qsizetype i = m_columns.indexOf(name);
    return i < 0 ? 0 : int(i);
}

QString ResponseTable::value(int row, int column) const {
    if (row < 0 || row >= m_rows || column < 0 || column >= m_columns.size())
        return {};
    return m_cells[std::size_t(row) * std::size_t(m_columns.size()) + std::size_t(column)];
}

void ResponseTable::set(int row, int column, QString text) {
    if (row < 0 || row >= m_rows || column < 0 || column >= m_columns.size())
        return;
    m_cells[std::size_t(row) * std::size_t(m_columns.size()) + std::size_t(column)] =
        std::move(text);
}

namespace {

bool isSpace(char c) {
    return c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '\f' || c == '\v';
}

// decode_value, "<br>" → CRLF, trim, brackets → full-width; in one pass over the bytes where
// the common case (nothing to replace) allows it.
bool cellText(const char *s, qsizetype n, QByteArray &scratch, QString &out) {
    while (n > 0 && isSpace(*s)) {
        ++s;
        --n;
    }
    while (n > 0 && isSpace(s[n - 1]))
        --n;
    scratch.resize(0);
    bool special = false; // "&", "<", "[", "]" or surrounding blanks may need work
    for (qsizetype i = 0; i < n; ++i) {
        char c = s[i];
        if (c == '+') {
            c = ' ';
        } else if (c == '%') {
            if (i + 1 < n && s[i + 1] == '%') {
                ++i;
            } else {
                if (i + 2 >= n)
                    return false;
                const auto hex = [](char h) {
                    return h >= '0' && h <= '9'   ? h - '0'
                           : h >= 'a' && h <= 'f' ? h - 'a' + 10
                           : h >= 'A' && h <= 'F' ? h - 'A' + 10
                                                  : -1;
                };
                const int hi = hex(s[i + 1]), lo = hex(s[i + 2]);
                if (hi < 0 || lo < 0)
                    return false;
                c = char(hi * 16 + lo);
                i += 2;
            }
        }
        special = special || c == '&' || c == '<' || c == '[' || c == ']' || c == ' ' ||
                  c == '\n' || c == '\r' || c == '\t';
        scratch += c;
    }
    out = QString::fromUtf8(scratch);
    if (!special)
        return true;
    out.replace(QStringLiteral("&singile"), QStringLiteral("'"));
    out.replace(QStringLiteral("&double"), QStringLiteral("\""));
    out.replace(QStringLiteral("<br>"), QStringLiteral("\r\n"));
    out = out.trimmed();
    out.replace(QLatin1Char('['), QChar(0xFF3B));
    out.replace(QLatin1Char(']'), QChar(0xFF3D));
    return true;
}

QString numberText(const rapidjson::Value &v) {
    if (v.IsInt64())
        return QString::number(v.GetInt64());
    if (v.IsUint64())
        return QString::number(v.GetUint64());
    return QString::number(v.GetDouble(), 'g', QLocale::FloatingPointShortest);
}

} // namespace

FlattenResult flatten(const QByteArray &answer, ResponseTable &table) {
    FlattenResult result;
    table.clear();
    if (answer.size() < 15 || answer.trimmed().isEmpty())
        return result;

    // Parsed in place in a copy of our own.
    QByteArray buffer = answer;
    rapidjson::Document doc;
    doc.ParseInsitu<rapidjson::kParseStopWhenDoneFlag>(buffer.data());
    if (doc.HasParseError() || !doc.IsObject()) {
        result.outcome = FlattenResult::Outcome::NotJson;
        result.error = doc.HasParseError()
                           ? QString::fromUtf8(rapidjson::GetParseError_En(doc.GetParseError()))
                           : QStringLiteral("not an object");
        return result;
    }
    const auto ret = doc.FindMember("return");
    if (ret != doc.MemberEnd() && ret->value.IsNull()) {
        result.outcome = FlattenResult::Outcome::NullReturn;
        return result;
    }
    if (ret == doc.MemberEnd() || !ret->value.IsArray()) {
        result.outcome = FlattenResult::Outcome::BadShape;
        result.error = QStringLiteral("no \"return\" array");
        return result;
    }
    const auto &rows = ret->value.GetArray();
    result.outcome = FlattenResult::Outcome::Rows;
    if (rows.Empty())
        return result;

    QStringList columns;
    if (rows[0].IsObject())
        for (const auto &m : rows[0].GetObject())
            columns << QString::fromUtf8(m.name.GetString(), qsizetype(m.name.GetStringLength()));
    table.reset(columns, int(rows.Size()));

    QByteArray scratch;
    QString text;
    for (rapidjson::SizeType r = 0; r < rows.Size(); ++r) {
        if (!rows[r].IsObject()) {
            result.failedRow = int(r);
            result.error = QStringLiteral("row %1 is not an object").arg(r);
            return result;
        }
        int col = 0;
        for (const auto &m : rows[r].GetObject()) {
            // Values are placed by position; a field beyond the first row's has no column.
            if (col >= columns.size())
                break;
            const auto &v = m.value;
            bool ok = true;
            if (v.IsString())
                ok = cellText(v.GetString(), qsizetype(v.GetStringLength()), scratch, text);
            else if (v.IsNumber())
                text = numberText(v);
            else if (v.IsBool())
                text = v.GetBool() ? QStringLiteral("true") : QStringLiteral("false");
            else if (v.IsNull())
                text = QStringLiteral("null");
            else
                ok = false;
            if (!ok) {
                result.failedRow = int(r);
                result.error = QStringLiteral("row %1: value of %2 cannot be read")
                                   .arg(r)
                                   .arg(QString::fromUtf8(m.name.GetString()));
                return result;
            }
            table.set(int(r), col++, std::move(text));
            text = QString();
        }
    }
    return result;
}

} // namespace tdx
