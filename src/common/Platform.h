#pragma once

#include <QString>

// The only place that knows which system ORVA runs on.
namespace orva::platform {

// The folder holding settings.ini and the daily logs; ORVA never creates it.
QString dataFolder();

// The device behind serial port number n (1 to 255).
QString serialDevice(int portNumber);

// This computer's name as the operator knows it.
QString computerName();

} // namespace orva::platform
