#pragma once

#include <QString>

namespace orva::test {

// What a process has used so far, read from /proc; "self" is this process.
double processorSeconds(const QString& process = QStringLiteral("self"));
qint64 residentKiB(const QString& process = QStringLiteral("self"));

} // namespace orva::test
