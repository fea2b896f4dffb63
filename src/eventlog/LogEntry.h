#pragma once

#include <QByteArray>
#include <QDate>
#include <QDateTime>
#include <QString>

namespace orva {

// How an entry ends in the file: LF, then the line end CR LF.
inline constexpr char kLogEntryEnd[] = "\n\r\n";

// One entry as it stands in the file: "yyyymmdd hh:mm:ss text", then the entry's end.
[[nodiscard]] QByteArray formatLogEntry(const QDateTime& when, const QString& text);

// The day's log file name, Log<yyyymmdd>.txt.
[[nodiscard]] QString logFileName(const QDate& day);

} // namespace orva
