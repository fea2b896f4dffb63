#pragma once

#include "LogEntry.h"
#include "common/Clock.h"
#include "common/Severity.h"

#include <QByteArray>
#include <QDateTime>
#include <QString>
#include <functional>

namespace orva {

// The daily event log: one plain-text file a day in the data folder, appended to and closed
// at every entry, so another program may read it at any time; each entry goes to the system
// journal too, without waiting for it. Entries a stalled journal could not
// take are counted, and told in the file and the journal once it takes entries again.
class EventLog {
public:
    explicit EventLog(QString folder, Clock clock = {});

    // Sends one entry to the system journal with its severity, and appends it to the day's
    // file, creating the file but never the folder. Throws Failure when the file cannot be opened
    // or written, or is no regular file; the entry then goes to standard error with its time
    // stamp, and the file is left as it was.
    void write(const QString& text, Severity severity = Severity::Info);

    // Reads the log back: the entries at the end of the latest days' files up to today (the
    // last 256 KiB of each), oldest first. From today's file, or else the latest earlier one,
    // it goes back a file at a time until one holds an entry that reachesBack accepts, or files
    // files were read. A file that cannot be read, or is no regular file, is passed over.
    [[nodiscard]] QList<LoggedEntry>
    readBack(const std::function<bool(const LoggedEntry&)>& reachesBack, int files) const;

private:
    void append(const QString& fileName, const QByteArray& entry) const;
    void copyToJournal(const QString& text, Severity severity);
    static void keepOnStandardError(const QByteArray& entry);

    QString folder_;
    Clock clock_;
    qint64 notJournalled_ = 0; // entries the journal could not take since it last took one
};

} // namespace orva
