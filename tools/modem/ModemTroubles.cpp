#include "ModemTroubles.h"

namespace orva::tools {

const QStringList kModemTroubles{"none",      "no-sim",         "pin",
                                 "no-signal", "not-registered", "unsolicited-creg"};

namespace {

std::string simStatus(const std::string& trouble)
{
    if (trouble == "no-sim")
        return "\r\n+CME ERROR: 10\r\n";
    if (trouble == "pin")
        return "\r\n+CPIN: SIM PIN\r\n\r\nOK\r\n";
    return "\r\n+CPIN: READY\r\n\r\nOK\r\n";
}

// 1 registered on the home network, 2 searching, 0 not registered.
const char* registration(const std::string& trouble)
{
    if (trouble == "no-signal")
        return "2";
    if (trouble == "not-registered")
        return "0";
    return "1";
}

} // namespace

std::vector<std::string> statusAnswers(const std::string& trouble, const std::string& command)
{
    if (command == "AT+CPIN?")
        return {simStatus(trouble)};
    if (command == "AT+CSQ")
        return {trouble == "no-signal" ? "\r\n+CSQ: 99,99\r\n\r\nOK\r\n"
                                       : "\r\n+CSQ: 20,99\r\n\r\nOK\r\n"};
    if (command != "AT+CREG?")
        return {};
    std::vector<std::string> answers;
    // A registration report that came first is sent apart, as the modem would.
    if (trouble == "unsolicited-creg")
        answers.emplace_back("\r\n+CREG: 1\r\n");
    answers.push_back("\r\n+CREG: 0," + std::string(registration(trouble)) + "\r\n\r\nOK\r\n");
    return answers;
}

// No SIM, a SIM asking for its PIN, no network service.
const char* messageRefusal(const std::string& trouble)
{
    if (trouble == "no-sim")
        return "\r\n+CMS ERROR: 310\r\n";
    if (trouble == "pin")
        return "\r\n+CMS ERROR: 311\r\n";
    if (trouble == "no-signal" || trouble == "not-registered")
        return "\r\n+CMS ERROR: 331\r\n";
    return nullptr;
}

} // namespace orva::tools
