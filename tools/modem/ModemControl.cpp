#include "ModemControl.h"

#include "Modem.h"
#include "ModemOptions.h"
#include "ModemTroubles.h"

#include <csignal>
#include <fstream>
#include <iostream>

namespace orva::tools {
namespace {

volatile std::sig_atomic_t changeRequested = 0;

// The control file holds words such as "mode=silent trouble=pin"; a word it leaves out keeps
// what is acted out now.
void readControl(Modem& modem, const std::string& path)
{
    std::ifstream file(path);
    std::string mode = modem.options().mode;
    std::string trouble = modem.options().trouble;
    for (std::string word; file >> word;) {
        const auto equals = word.find('=');
        const QString value = QString::fromStdString(word.substr(equals + 1));
        if (word.rfind("mode=", 0) == 0 && kModemModes.contains(value))
            mode = value.toStdString();
        else if (word.rfind("trouble=", 0) == 0 && kModemTroubles.contains(value))
            trouble = value.toStdString();
        else
            std::cerr << "orva-modem-simulator: ignored in " << path << ": " << word << std::endl;
    }
    modem.actOut(mode, trouble);
}

} // namespace

void readControlOnSignal()
{
    std::signal(SIGUSR1, [](int) { changeRequested = 1; });
}

void followControl(Modem& modem, const std::string& path)
{
    if (!changeRequested || path.empty())
        return;
    changeRequested = 0;
    readControl(modem, path);
}

} // namespace orva::tools
