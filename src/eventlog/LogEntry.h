#pragma once

#include <QByteArray>
#include <QDate>
#include <QDateTime>
#include <QList>
#include <QString>
#include <optional>

namespace orva {

// How an entry ends in the file: LF, then the line end CR LF.
inline constexpr char kLogEntryEnd[] = "\n\r\n";

// One entry as it stands in the file: "yyyymmdd hh:mm:ss text", then the entry's end.
[[nodiscard]] QByteArray formatLogEntry(const QDateTime& when, const QString& text);

// The day's log file name, Log<yyyymmdd>.txt.
[[nodiscard]] QString logFileName(const QDate& day);
// The day a log file's name stands for; none for any other name.
[[nodiscard]] std::optional<QDate> logFileDay(const QString& fileName);

// An entry read back from a day's file. Its moment is made only when asked for: the local
// time of many thousand entries would take long to reckon.
struct LoggedEntry {
    QDate day;
    QTime time;
    QString text;

    [[nodiscard]] QDateTime at() const { return {day, time}; }
    friend bool operator==(const LoggedEntry&, const LoggedEntry&) = default;
};

// The entries a day's file holds, in their order; a line that is no entry is passed over.
[[nodiscard]] QList<LoggedEntry> parseLogEntries(const QByteArray& file);

} // namespace orva
