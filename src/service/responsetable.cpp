#include "service/responsetable.h"

#include <QLocale>
#include <array>
#include <cstring>
#include <rapidjson/error/en.h>
#include <rapidjson/reader.h>

namespace tdx {

void ResponseTable::clear() {
    m_columns.clear();
    m_cells.clear();
    m_text.resize(0); // keeps the storage for the next answer
    m_rows = 0;
}

void ResponseTable::reset(const QStringList &columns, int rows) {
    m_columns = columns;
    m_rows = rows;
    m_text.clear();
    m_cells.fill(Cell{}, qsizetype(rows) * columns.size());
}

void ResponseTable::setColumns(const QStringList &columns) {
    if (m_columns.size() == columns.size())
        return;
    m_columns = columns;
    m_cells.resize(qsizetype(std::max(m_rows, 1)) * columns.size());
    m_rows = std::max(m_rows, 1);
}

void ResponseTable::growRows(int rows) {
    if (rows <= m_rows)
        return;
    m_rows = rows;
    m_cells.resize(qsizetype(rows) * m_columns.size());
}

int ResponseTable::field_index(const QString &name) const {
    const qsizetype i = m_columns.indexOf(name);
    return i < 0 ? 0 : int(i);
}

QStringView ResponseTable::view(int row, int column) const {
    if (row < 0 || row >= m_rows || column < 0 || column >= m_columns.size())
        return {};
    const Cell &c = m_cells.at(qsizetype(row) * m_columns.size() + column);
    return QStringView(m_text).mid(c.offset, c.length);
}

QString ResponseTable::value(int row, int column) const {
    return view(row, column).toString();
}

namespace {

// Values of the hex digits, −1 for anything else.
constexpr std::array<signed char, 256> kHex = [] {
    std::array<signed char, 256> t{};
    for (int i = 0; i < 256; ++i)
        t[std::size_t(i)] = -1;
    for (int i = 0; i < 10; ++i)
        t[std::size_t('0' + i)] = static_cast<signed char>(i);
    for (int i = 0; i < 6; ++i) {
        t[std::size_t('a' + i)] = static_cast<signed char>(10 + i);
        t[std::size_t('A' + i)] = static_cast<signed char>(10 + i);
    }
    return t;
}();

bool isBlank(char16_t c) {
    return c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '\f' || c == '\v';
}

} // namespace

// Writes decoded cells straight into the table's text, which keeps its storage from one answer
// to the next and is sized for the whole answer at once (the encoded answer is an upper bound of
// its decoded text).
struct TableWriter {
    TableWriter(ResponseTable &table, qsizetype capacity) : t(table) {
        t.m_text.resize(capacity);
        base = reinterpret_cast<char16_t *>(t.m_text.data());
    }
    ~TableWriter() { t.m_text.resize(used); }

    ResponseTable &t;
    char16_t *base;
    qsizetype used = 0;

    ResponseTable::Cell &cell(int row, int column) {
        return t.m_cells[qsizetype(row) * t.m_columns.size() + column];
    }

    void put(int row, int column, QStringView text) {
        // Written-out numbers may outgrow their encoded form: make room when needed.
        if (used + text.size() > t.m_text.size()) {
            t.m_text.resize(used + text.size() + 1024);
            base = reinterpret_cast<char16_t *>(t.m_text.data());
        }
        ResponseTable::Cell &c = cell(row, column);
        c.offset = quint32(used);
        c.length = quint32(text.size());
        std::copy(text.utf16(), text.utf16() + text.size(), base + used);
        used += text.size();
    }

    // decode_value (form decoding, UTF-8, quote markers), "<br>" → CRLF, trim, brackets →
    // full-width: in one pass, with a slow path only for the rare cell that needs replacing.
    // False for a malformed escape.
    bool putEncoded(int row, int column, const char *s, qsizetype n) {
        const auto *p = reinterpret_cast<const unsigned char *>(s);
        while (n > 0 && isBlank(p[0])) {
            ++p;
            --n;
        }
        while (n > 0 && isBlank(p[n - 1]))
            --n;
        char16_t *const start = base + used;
        char16_t *out = start;
        bool special = false;
        char32_t cp = 0;
        int pending = 0; // continuation bytes still expected
        for (qsizetype i = 0; i < n;) {
            unsigned b = p[i];
            if (b == '%') {
                if (i + 1 < n && p[i + 1] == '%') {
                    i += 2;
                } else {
                    if (i + 2 >= n)
                        return false;
                    const int hi = kHex[p[i + 1]], lo = kHex[p[i + 2]];
                    if ((hi | lo) < 0)
                        return false;
                    b = unsigned(hi << 4 | lo);
                    i += 3;
                }
            } else {
                if (b == '+')
                    b = ' ';
                ++i;
            }
            if (b < 0x80) {
                if (pending) { // a sequence cut short
                    *out++ = 0xFFFD;
                    pending = 0;
                }
                special |= b == '&' || b == '<' || b == '[' || b == ']';
                *out++ = char16_t(b);
            } else if ((b & 0xC0) == 0x80) {
                if (!pending) {
                    *out++ = 0xFFFD;
                    continue;
                }
                cp = cp << 6 | (b & 0x3F);
                if (--pending == 0) {
                    if (cp >= 0x10000) {
                        cp -= 0x10000;
                        *out++ = char16_t(0xD800 + (cp >> 10));
                        *out++ = char16_t(0xDC00 + (cp & 0x3FF));
                    } else {
                        *out++ = char16_t(cp);
                    }
                }
            } else {
                if (pending)
                    *out++ = 0xFFFD;
                if (b >= 0xF0) {
                    cp = b & 0x07;
                    pending = 3;
                } else if (b >= 0xE0) {
                    cp = b & 0x0F;
                    pending = 2;
                } else {
                    cp = b & 0x1F;
                    pending = 1;
                }
            }
        }
        if (pending)
            *out++ = 0xFFFD;
        // Blanks that decoding brought to either end are trimmed too.
        special |= out > start && (isBlank(start[0]) || isBlank(out[-1]));
        ResponseTable::Cell &target = cell(row, column);
        target.offset = quint32(used);
        target.length = quint32(out - start);
        used += target.length;
        if (special) {
            QString text = QStringView(start, out).toString();
            text.replace(QStringLiteral("&singile"), QStringLiteral("'"));
            text.replace(QStringLiteral("&double"), QStringLiteral("\""));
            text.replace(QStringLiteral("<br>"), QStringLiteral("\r\n"));
            text = text.trimmed();
            text.replace(QLatin1Char('['), QChar(0xFF3B));
            text.replace(QLatin1Char(']'), QChar(0xFF3D));
            used = target.offset;
            put(row, column, text);
        }
        return true;
    }
};

namespace {

// Reads the answer as a stream of events (no document is built): the fields of each element of
// "return" go straight into the table.
class FlattenHandler : public rapidjson::BaseReaderHandler<rapidjson::UTF8<>, FlattenHandler> {
public:
    FlattenHandler(ResponseTable &table, TableWriter &writer, QStringList &columns,
                   FlattenResult &result)
        : m_table(table), m_writer(writer), m_columns(columns), m_result(result) {}

    bool StartObject() { return open(true); }
    bool EndObject(rapidjson::SizeType) { return close(); }
    bool StartArray() { return open(false); }
    bool EndArray(rapidjson::SizeType) { return close(); }

    bool Key(const char *s, rapidjson::SizeType n, bool) {
        if (m_depth == 1) {
            m_returnNext = n == 6 && std::memcmp(s, "return", 6) == 0;
        } else if (m_depth == 3 && m_filling) {
            if (m_row == 0)
                m_columns << QString::fromUtf8(s, qsizetype(n));
        }
        return true;
    }

    bool String(const char *s, rapidjson::SizeType n, bool) {
        return scalar([&] { return m_writer.putEncoded(m_row, m_col, s, qsizetype(n)); });
    }
    bool Null() {
        if (m_depth == 1 && m_returnNext) {
            m_result.outcome = FlattenResult::Outcome::NullReturn;
            return true;
        }
        return scalar([&] {
            m_writer.put(m_row, m_col, u"null");
            return true;
        });
    }
    bool Bool(bool b) {
        return scalar([&] {
            m_writer.put(m_row, m_col, b ? u"true" : u"false");
            return true;
        });
    }
    bool Int(int i) { return number(QString::number(i)); }
    bool Uint(unsigned u) { return number(QString::number(u)); }
    bool Int64(int64_t i) { return number(QString::number(i)); }
    bool Uint64(uint64_t u) { return number(QString::number(u)); }
    bool Double(double d) {
        return number(QString::number(d, 'g', QLocale::FloatingPointShortest));
    }

    int rows() const { return m_rowsSeen; }
    bool sawReturnArray() const { return m_inReturn || m_returnDone; }

private:
    bool open(bool object) {
        if (m_depth == 1 && m_returnNext && !object) {
            m_inReturn = true;
        } else if (m_depth == 2 && m_inReturn) {
            elementStarts();
            if (!object)
                failRow(QStringLiteral("row %1 is not an object").arg(m_rowsSeen - 1));
            else if (m_filling)
                beginRow();
        } else if (m_depth == 3 && m_inReturn && m_filling) {
            failRow(QStringLiteral("row %1: a value is no text").arg(m_row));
        }
        ++m_depth;
        return true;
    }
    bool close() {
        --m_depth;
        if (m_depth == 2 && m_inReturn && m_filling)
            endRow();
        if (m_depth == 1 && m_inReturn) {
            m_inReturn = false;
            m_returnDone = true;
        }
        if (m_depth == 1)
            m_returnNext = false;
        return true;
    }
    void elementStarts() { ++m_rowsSeen; }
    void beginRow() {
        m_row = m_rowsSeen - 1;
        m_col = 0;
        if (m_row > 0)
            m_table.growRows(m_row + 1);
    }
    void endRow() {
        if (m_row == 0)
            m_table.setColumns(m_columns);
    }
    void failRow(const QString &why) {
        if (!m_filling)
            return;
        m_filling = false;
        m_result.failedRow = m_rowsSeen - 1;
        m_result.error = why;
    }
    template <typename F> bool scalar(F &&write) {
        if (m_depth == 2 && m_inReturn) { // an element that is no object
            elementStarts();
            failRow(QStringLiteral("row %1 is not an object").arg(m_rowsSeen - 1));
            return true;
        }
        if (m_depth != 3 || !m_inReturn || !m_filling)
            return true;
        if (m_row == 0) {
            // The first row names the columns as it goes.
            m_table.setColumns(m_columns);
        }
        if (m_col < m_columns.size() && !write())
            failRow(QStringLiteral("row %1: a value cannot be decoded").arg(m_row));
        ++m_col;
        return true;
    }
    bool number(const QString &text) {
        return scalar([&] {
            m_writer.put(m_row, m_col, text);
            return true;
        });
    }

    ResponseTable &m_table;
    TableWriter &m_writer;
    QStringList &m_columns;
    FlattenResult &m_result;
    int m_depth = 0;
    bool m_returnNext = false;
    bool m_inReturn = false;
    bool m_returnDone = false;
    bool m_filling = true;
    int m_rowsSeen = 0;
    int m_row = 0;
    int m_col = 0;
};

} // namespace

FlattenResult flatten(QByteArray answer, ResponseTable &table) {
    FlattenResult result;
    table.clear();
    if (answer.size() < 15 || answer.trimmed().isEmpty())
        return result;

    QStringList columns;
    result.outcome = FlattenResult::Outcome::Rows;
    FlattenResult::Outcome shape = FlattenResult::Outcome::Rows;
    {
        TableWriter writer(table, answer.size());
        FlattenHandler handler(table, writer, columns, result);
        rapidjson::Reader reader;
        // Parsed in place (the answer is ours: taken by value).
        rapidjson::InsituStringStream in(answer.data());
        reader.Parse<rapidjson::kParseInsituFlag | rapidjson::kParseStopWhenDoneFlag>(in, handler);
        if (reader.HasParseError()) {
            table.clear();
            result = {};
            result.outcome = FlattenResult::Outcome::NotJson;
            result.error =
                QString::fromUtf8(rapidjson::GetParseError_En(reader.GetParseErrorCode()));
            return result;
        }
        if (result.outcome == FlattenResult::Outcome::NullReturn) {
            shape = result.outcome;
        } else if (!handler.sawReturnArray()) {
            shape = FlattenResult::Outcome::BadShape;
            result.error = QStringLiteral("no \"return\" array");
        } else {
            // The row count is the array's length, also when filling stopped early.
            table.growRows(handler.rows());
        }
    }
    if (shape != FlattenResult::Outcome::Rows) {
        table.clear();
        result.outcome = shape;
    }
    return result;
}

} // namespace tdx
