#pragma once

#include "ModemOptions.h"

#include <chrono>
#include <fstream>
#include <map>
#include <string>

namespace orva::tools {

class PseudoTerminal;

// The modem's side of the line: answers text-mode SMS commands and the status queries, prints
// every SMS accepted, and sends its answers when their time comes.
class Modem {
public:
    Modem(const ModemOptions& options, PseudoTerminal& line);

    void receive(const std::string& bytes);

    // From now on, answers in another mode or with another trouble.
    void actOut(const std::string& mode, const std::string& trouble);

    const ModemOptions& options() const { return options_; }

    // Sends the replies whose time has come; returns how long until the next one.
    std::chrono::milliseconds sendDue();

private:
    using Clock = std::chrono::steady_clock;

    void reply(const std::string& text,
               std::chrono::milliseconds delay = std::chrono::milliseconds(0));
    void commandByte(char c);
    void command(const std::string& line);
    void sendCommand(const std::string& line);
    void bodyByte(char c);
    void accept();

    ModemOptions options_;
    PseudoTerminal& line_;
    std::ofstream transcript_;
    std::multimap<Clock::time_point, std::string> pending_;
    std::string command_;
    std::string number_;
    std::string body_;
    bool inBody_ = false;
    Clock::time_point bodyFrom_; // a slow modem takes text only once its prompt is out
    int reference_ = 0;
};

} // namespace orva::tools
