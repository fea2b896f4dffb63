#include "ModemTroubles.h"

#include <map>

namespace orva::tools {

const QStringList kModemTroubles{"none",      "no-sim",         "pin",
                                 "no-signal", "not-registered", "unsolicited-creg",
                                 "sms-only",  "5g-only",        "registration-unknown"};

namespace {

using Answers = std::map<std::string, std::string>;

// Modems of today, which answer the questions of every domain and both measures of the signal:
// each information line it answers with; the questions left out it answers with ERROR.
const std::map<std::string, Answers> kModernModems{
    // On LTE, attached for SMS only in the circuit-switched domain.
    {"sms-only",
     {{"AT+CREG?", "+CREG: 0,6"},
      {"AT+CGREG?", "+CGREG: 0,4"},
      {"AT+CEREG?", "+CEREG: 0,1"},
      {"AT+CSQ", "+CSQ: 20,99"},
      {"AT+CESQ", "+CESQ: 99,99,255,255,20,45"}}},
    // On 5G alone: no circuit-switched domain, and an RSSI it cannot tell.
    {"5g-only",
     {{"AT+CREG?", "+CREG: 0,0"},
      {"AT+CGREG?", "+CGREG: 0,0"},
      {"AT+CEREG?", "+CEREG: 0,0"},
      {"AT+C5GREG?", "+C5GREG: 0,1"},
      {"AT+CSQ", "+CSQ: 99,99"},
      {"AT+CESQ", "+CESQ: 99,99,255,255,255,255,40,60,50"}}},
    // A registration it cannot tell, and messages that go all the same.
    {"registration-unknown",
     {{"AT+CREG?", "+CREG: 0,4"}, {"AT+CEREG?", "+CEREG: 0,4"}, {"AT+CSQ", "+CSQ: 18,99"}}},
};

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

std::string answer(const std::string& information)
{
    return "\r\n" + information + "\r\n\r\nOK\r\n";
}

// A GSM modem knows AT+CSQ and AT+CREG? alone.
std::vector<std::string> gsmAnswers(const std::string& trouble, const std::string& command)
{
    if (command == "AT+CSQ")
        return {answer(trouble == "no-signal" ? "+CSQ: 99,99" : "+CSQ: 20,99")};
    if (command != "AT+CREG?")
        return {};
    std::vector<std::string> answers;
    // A registration report that came first is sent apart, as the modem would.
    if (trouble == "unsolicited-creg")
        answers.emplace_back("\r\n+CREG: 1\r\n");
    answers.push_back(answer("+CREG: 0," + std::string(registration(trouble))));
    return answers;
}

} // namespace

std::vector<std::string> statusAnswers(const std::string& trouble, const std::string& command)
{
    if (command == "AT+CPIN?")
        return {simStatus(trouble)};
    const auto modern = kModernModems.find(trouble);
    if (modern == kModernModems.end())
        return gsmAnswers(trouble, command);
    const auto found = modern->second.find(command);
    return found == modern->second.end() ? std::vector<std::string>{}
                                         : std::vector{answer(found->second)};
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
