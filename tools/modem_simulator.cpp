// A GSM modem on a pseudo-terminal, answering text-mode SMS commands and the status queries
// as a real one does. Every SMS accepted is printed as one line: the number, a tab, the text
// (control characters as \xNN). The link appears once the simulator is ready. With a control
// file, SIGUSR1 makes it act out what the file says from then on, as a modem that hangs, loses
// its SIM or its network and comes back. SIGTERM or SIGINT ends it and removes the link.

#include "common/StopOnTerminationSignals.h"
#include "modem/Modem.h"
#include "modem/ModemControl.h"
#include "modem/ModemOptions.h"
#include "pty/PseudoTerminal.h"

#include <chrono>
#include <iostream>
#include <string>
#include <variant>

using namespace std::chrono_literals;

int main(int argc, char** argv)
{
    try {
        const auto parsed = orva::tools::parseModemOptions(argc, argv);
        if (const int* status = std::get_if<int>(&parsed))
            return *status;
        const orva::tools::ModemOptions& options = std::get<orva::tools::ModemOptions>(parsed);
        orva::tools::stopOnTerminationSignals();
        orva::tools::readControlOnSignal();
        orva::tools::PseudoTerminal line(options.link);
        orva::tools::Modem modem(options, line);
        std::cerr << "modem simulator ready at " << options.link << std::endl;
        auto wait = 200ms;
        while (!orva::tools::stopRequested()) {
            const std::string bytes = line.read(wait);
            if (!bytes.empty())
                modem.receive(bytes);
            orva::tools::followControl(modem, options.control);
            wait = modem.sendDue();
        }
        return 0;
    } catch (const std::exception& error) {
        std::cerr << "orva-modem-simulator: " << error.what() << std::endl;
        return 2;
    }
}
