#include "PreviousRun.h"

#include "WatchMessages.h"
#include "alarm/Burst.h"

#include <algorithm>

namespace orva {
namespace {

const QString kNotSent = QStringLiteral(", SMS not sent: ");

// An entry "<why>, SMS not sent: <text> <number>" whose text is a live alarm.
bool alarmNotSent(const QString& entry)
{
    const qsizetype at = entry.indexOf(kNotSent);
    if (at < 0)
        return false;
    const QString message = entry.sliced(at + kNotSent.size());
    return shouldSend(
        QStringView(message).first(std::max<qsizetype>(message.lastIndexOf(u' '), 0)));
}

} // namespace

bool episodeBoundary(const LoggedEntry& entry)
{
    return entry.text == kModemRestored || lostIn(entry.text);
}

// The alarm whose failure began an episode is logged just before it.
PreviousRun previousRun(const QList<LoggedEntry>& entries)
{
    PreviousRun run;
    const auto last = std::find_if(entries.rbegin(), entries.rend(), [](const LoggedEntry& entry) {
        return entry.text != kFailedStartExit; // failed starts since end no run
    });
    if (last != entries.rend() && last->text != kProgramExit)
        run.uncleanEnd = last->at();
    bool alarmBefore = false;
    for (const LoggedEntry& entry : entries) {
        const bool alarm = alarmNotSent(entry.text);
        if (entry.text == kModemRestored)
            run.openEpisode.reset();
        else if (const auto fault = lostIn(entry.text))
            run.openEpisode = ModemEpisode::Open{entry.at(), *fault, alarmBefore ? 1 : 0};
        else if (run.openEpisode && alarm)
            ++run.openEpisode->alarmsNotSent;
        alarmBefore = alarm && !entry.text.startsWith(u"Invalid Number");
    }
    return run;
}

} // namespace orva
