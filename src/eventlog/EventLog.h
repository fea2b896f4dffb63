#pragma once

#include "LogEntry.h"
#include "common/Clock.h"
#include "common/Severity.h"

#include <QByteArray>
#include <QDateTime>
#include <QString>

namespace orva {

// The daily event log: one plain-text file a day in the data folder, appended to and closed
// at every entry, so another program may read it at any time; each entry goes to the system
// journal too.
class EventLog {
public:
    explicit EventLog(QString folder, Clock clock = &QDateTime::currentDateTime);

    // Sends one entry to the system journal with its severity, and appends it to the day's
    // file, creating the file but never the folder. Throws Failure when the file cannot be
    // opened or written, or is no regular file; the entry then goes to standard error with its
    // time stamp, and the file is left as it was.
    void write(const QString& text, Severity severity = Severity::Info) const;

private:
    void append(const QString& fileName, const QByteArray& entry) const;
    static void keepOnStandardError(const QByteArray& entry);

    QString folder_;
    Clock clock_;
};

} // namespace orva
