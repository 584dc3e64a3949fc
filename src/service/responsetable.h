#pragma once

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>
#include <QStringView>

namespace tdx {

// A flattened answer: columns named after the fields of the first answer row, rows of texts.
struct TableWriter;
struct FlattenResult;
class ResponseTable;
FlattenResult flatten(QByteArray answer, ResponseTable &table);

class ResponseTable {
public:
    void clear();
    void reset(const QStringList &columns, int rows);

    int rowCount() const { return m_rows; }
    int columnCount() const { return int(m_columns.size()); }
    const QStringList &columns() const { return m_columns; }

    // Position of the first column with exactly this name, 0 when there is none (so a missing
    // field reads the first column, as the features expect).
    int field_index(const QString &name) const;
    QString value(int row, int column) const;
    QString value(int row, const QString &name) const { return value(row, field_index(name)); }
    // First field of the first row, or empty when there are no rows.
    QString first() const { return value(0, 0); }
    bool isEmpty() const { return m_rows == 0; }

    // A cell without copying it out.
    QStringView view(int row, int column) const;

    // Filling in order: the columns once, then rows as they come (new cells empty).
    void setColumns(const QStringList &columns);
    void growRows(int rows);

private:
    friend struct TableWriter;
    friend FlattenResult flatten(QByteArray, ResponseTable &);
    QStringList m_columns;
    // All cell texts one after another; a cell is (offset, length) into it, row-major. One
    // allocation for a whole answer instead of one per cell.
    QString m_text;
    struct Cell {
        quint32 offset = 0;
        quint32 length = 0;
    };
    QList<Cell> m_cells; // shared, like the text, when a table is copied
    int m_rows = 0;
};

// What went wrong while flattening, for the caller to report.
struct FlattenResult {
    enum class Outcome {
        Empty,      // short or blank answer: the table stays empty
        NotJson,    // not a JSON object: "데이터 전송오류 다시 시도하세요."
        NullReturn, // {"return":null}
        Rows,       // rows were filled (maybe only some: see failedRow)
        BadShape,   // parsed, but no "return" array
    };
    Outcome outcome = Outcome::Empty;
    int failedRow = -1; // first row that could not be read (element or value), or -1
    QString error;
};

// Flattens an answer into the table (the algorithm of set_jsonData_1).
FlattenResult flatten(QByteArray answer, ResponseTable &table);

} // namespace tdx
