#pragma once

#include <QByteArray>
#include <QString>

// The office PCs' code page (CP949). Text lives as QString inside the program; these turn it into
// bytes only where bytes are counted or written: SMS sizes, log files, the scrambler, the report
// encoding, calendar.txt.
namespace tdx::cp949 {

QByteArray encode(const QString &text);
QString decode(const QByteArray &bytes);
// Size of the text in CP949 bytes (a Hangul syllable counts 2, ASCII 1).
qsizetype byteCount(const QString &text);

} // namespace tdx::cp949
