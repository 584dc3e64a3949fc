#pragma once

#include <QByteArray>
#include <QDate>
#include <QString>
#include <optional>

// The shared phone, date, business-number, key and file routines. Free functions, no state.
namespace tdx::text {

// The trimmed text with every `from` replaced by `to`, ignoring letter case.
QString trimReplace(const QString &text, const QString &from, const QString &to);
// From the first digit to the end, the digits only; empty when there is no digit.
QString digitsTail(const QString &text);
// The 10 digits of a valid Korean business registration number, or empty.
QString businessNumber(const QString &text);
// Choice 1: the trimmed text between the first `start` and the first `end` after it; any other
// choice: the text from that `end` to the end. Empty when a marker is missing.
QString between(const QString &text, const QString &start, const QString &end, int choice);
// "#,##0" for a whole number; an empty text gives "0"; anything else is no number.
std::optional<QString> thousands(const QString &wholeNumber);
// A Korean mobile number: 11 digits beginning "010", or 10 beginning "011", "017", "018", "019"
// (blanks around and dashes ignored).
bool isMobile(const QString &text);
QString removeDashes(const QString &text);
// The number with dashes as a Korean phone number is written (short forms while typing).
QString phoneWithDashes(const QString &text);
// "hh:mm:ss" → "오전 9:05" / "오후 1:05"; empty for anything else.
QString timeOfDay(const QString &hhmmss);
// "월요일" … "일요일".
QString weekday(const QDate &date);
// In "key:value|key:value", the value of the last pair with that key.
QString keyValue(const QString &text, const QString &key);
// Keys a number field accepts: backspace, the digits and "-".
bool isNumberKey(QChar c);
// Form encoding of bytes and its reverse (nullopt for a malformed escape).
QByteArray formEncode(const QByteArray &bytes);
std::optional<QByteArray> formDecode(const QByteArray &encoded);

// The file's text (CP949), empty when it cannot be read.
QString readFile(const QString &path);
// Replaces the file by the text in CP949 with CRLF line breaks and a final CRLF.
bool writeFile(const QString &path, const QString &text);
// Creates every missing folder of the path, outermost first. A "\\server\share" root is taken
// as it stands (a share cannot be created, only folders below it).
bool createFolders(const QString &path);
// The file's size once it can be opened; 0 when it does not exist; −1 when it cannot be opened
// and giveUp is set. Without giveUp it retries (keeping the window alive) for at most timeoutMs.
qint64 waitForFile(const QString &path, bool giveUp, int timeoutMs = 30000);
QString desktopFolder();
// The installed Excel version ("11.0" … "16.0"), empty when none (always empty off Windows).
QString excelVersion();
// The rule behind it, from the App Paths "Path" value.
QString excelVersionFromPath(const QString &pathValue);

} // namespace tdx::text
