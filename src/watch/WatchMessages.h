#pragma once

#include "AlarmTally.h"
#include "ModemEpisode.h"
#include "messaging/SignalLevel.h"

#include <QDateTime>
#include <QString>
#include <optional>

namespace orva {

// The entries and messages of the watch between alarms. Every message is plain ASCII of at
// most 160 characters, one SMS whatever the computer is called.

inline const QString kModemRestored = QStringLiteral("Modem Restored");
inline const QString kAlarmPortActive = QStringLiteral("Alarm Port Active");

// "ORVA <computer>: modem lost <hh:mm> to <hh:mm>, <n> alarms not sent, see the log", each time
// with its date (dd.mm hh:mm) when the two fall on different days.
[[nodiscard]] QString restoredSms(const QString& computer, const ModemEpisode::Ending& episode);

// "ORVA <computer> test: <n> alarms sent, <m> not sent since <dd.mm hh:mm>; signal <dBm> dBm",
// the measure named when it is no RSSI ("signal -96 dBm (LTE RSRP)"), or "signal unknown".
[[nodiscard]] QString testSms(const QString& computer, const AlarmTally& tally,
                              const QDateTime& since, const std::optional<SignalLevel>& signal);

// "Alarm Port Silent: nothing received for <h> h"
[[nodiscard]] QString silenceEntry(double hours);
// The same, with the computer's name in front.
[[nodiscard]] QString silenceSms(const QString& computer, double hours);
// "ORVA <computer>: alarm port active again after <h> h", two figures of hours at most below ten.
[[nodiscard]] QString portActiveSms(const QString& computer, double hours);

// "ORVA <computer> restarted at <hh:mm> after an unclean end; last entry <dd.mm hh:mm>, see the
// log"
[[nodiscard]] QString restartedSms(const QString& computer, const QDateTime& started,
                                   const QDateTime& lastEntry);

} // namespace orva
