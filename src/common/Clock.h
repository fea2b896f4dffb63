#pragma once

#include <QDateTime>
#include <functional>

namespace orva {

// The wall clock as ORVA reads it: the system's in service, one of their own in tests.
using Clock = std::function<QDateTime()>;

} // namespace orva
