#pragma once

#include <QStringList>
#include <chrono>
#include <string>
#include <variant>

namespace orva::tools {

// How the modem answers messages, as named on the command line and in the control file.
extern const QStringList kModemModes;

struct ModemOptions {
    std::string link;
    std::string mode = "normal";
    std::string trouble = "none";
    bool echo = true;
    std::chrono::milliseconds replyDelay = std::chrono::milliseconds(300);
    std::chrono::milliseconds promptDelay = std::chrono::milliseconds(2000);
    std::chrono::milliseconds byteGap = std::chrono::milliseconds(0);
    std::string transcript;
    std::string control;
};

// The options of the command line, or the exit status when the program is to end at once.
std::variant<ModemOptions, int> parseModemOptions(int argc, char** argv);

} // namespace orva::tools
