#pragma once

#include <QString>
#include <QStringList>
#include <QStringView>

namespace orva {

// A burst as the alarm lines show it: every line feed read as a blank.
QString unfoldLineFeeds(QString burst);

// The lines of a burst, split at every CR: n CRs give n + 1 lines, an empty burst none.
QStringList splitBurst(const QString& burst);

// Whether an alarm line is sent: "." in column 1 or 2 marks an alarm point, and a state word
// ("RAN", "OK ", "LO ", "HI ") in columns 63 to 65 or 64 to 66 says it is no live alarm.
bool shouldSend(QStringView line);

} // namespace orva
