#pragma once

#include <string>

namespace orva::tools {

class Modem;

// Makes SIGUSR1 ask for the control file to be read again.
void readControlOnSignal();

// When SIGUSR1 came since the last reading and there is a control file, reads it and makes the
// modem act out what it says from then on.
void followControl(Modem& modem, const std::string& path);

} // namespace orva::tools
