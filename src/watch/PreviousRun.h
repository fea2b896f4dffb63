#pragma once

#include "ModemEpisode.h"
#include "eventlog/LogEntry.h"

#include <QDateTime>
#include <QList>
#include <QString>
#include <optional>

namespace orva {

// The entries that begin and end a run of the program.
inline const QString kProgramStarted = QStringLiteral("SMS Program Started");
inline const QString kProgramExit = QStringLiteral("SMS Program Exit");
inline const QString kFailedStartExit = QStringLiteral("Start up Com port error, Program Exit");

// What the log tells of the runs before this one.
struct PreviousRun {
    // The time of the log's last entry when it is no exit entry: the run was killed, crashed
    // or lost its power. Failed starts after it change nothing.
    std::optional<QDateTime> uncleanEnd;
    // An episode of a lost modem that never ended.
    std::optional<ModemEpisode::Open> openEpisode;

    friend bool operator==(const PreviousRun&, const PreviousRun&) = default;
};

// Whether reading the log back may stop at an entry: one that begins or ends an episode.
[[nodiscard]] bool episodeBoundary(const LoggedEntry& entry);

// Reads the entries of the latest days, oldest first. The live alarms logged as not sent since
// an episode began count for it, the one whose failure began it too.
[[nodiscard]] PreviousRun previousRun(const QList<LoggedEntry>& entries);

} // namespace orva
