#pragma once

#include <QByteArrayView>
#include <QString>

namespace orva {

// Writes bytes to standard error as they are, and flushes them. The one writer to standard
// error; it may wait while a terminal or a pipe is not read, so it is never called under a lock.
void writeStandardError(QByteArrayView bytes);

// Says something on standard error as ORVA: "ORVA: " and the message on one line whatever it
// holds, in the local encoding.
void tellStandardError(const QString& message);

} // namespace orva
