#pragma once

#include <QStringList>
#include <string>
#include <vector>

namespace orva::tools {

// The troubles a modem can act out, as named on the command line and in the control file.
extern const QStringList kModemTroubles;

// The answers, each sent on its own and in order, to a status query (AT+CPIN?, AT+CSQ,
// AT+CREG? and, from a modem of today, AT+CGREG?, AT+CEREG?, AT+C5GREG?, AT+CESQ, compacted)
// from a modem with the trouble; none when the command is no query it knows.
std::vector<std::string> statusAnswers(const std::string& trouble, const std::string& command);

// Why a message cannot go, as a real modem says it; none when it can.
const char* messageRefusal(const std::string& trouble);

} // namespace orva::tools
