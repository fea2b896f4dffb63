#include "Modem.h"

#include "ModemTroubles.h"
#include "pty/PseudoTerminal.h"

#include <cctype>
#include <cstdio>
#include <iostream>
#include <utility>

using namespace std::chrono_literals;

namespace orva::tools {
namespace {

constexpr char kCtrlZ = 26;
constexpr char kEscape = 27;

std::string printable(const std::string& text)
{
    std::string shown;
    for (const unsigned char c : text) {
        if (c < 32 || c == '\\') {
            char escaped[8];
            std::snprintf(escaped, sizeof escaped, "\\x%02x", c);
            shown += escaped;
        } else {
            shown += static_cast<char>(c);
        }
    }
    return shown;
}

std::string compact(const std::string& line)
{
    std::string out;
    for (const unsigned char c : line)
        if (c != ' ' && c != '\t')
            out += static_cast<char>(std::toupper(c));
    return out;
}

} // namespace

Modem::Modem(const ModemOptions& options, PseudoTerminal& line)
    : options_(options)
    , line_(line)
{
    if (!options.transcript.empty())
        transcript_.open(options.transcript, std::ios::binary | std::ios::app);
}

void Modem::receive(const std::string& bytes)
{
    if (transcript_.is_open())
        transcript_.write(bytes.data(), static_cast<std::streamsize>(bytes.size())).flush();
    if (options_.mode == "silent")
        return;
    for (const char c : bytes) {
        if (options_.echo)
            line_.write(std::string(1, c));
        inBody_&& Clock::now() >= bodyFrom_ ? bodyByte(c) : commandByte(c);
    }
}

void Modem::actOut(const std::string& mode, const std::string& trouble)
{
    options_.mode = mode;
    options_.trouble = trouble;
    pending_.clear();
    inBody_ = false;
    std::cerr << "acting out mode=" << mode << " trouble=" << trouble << std::endl;
}

std::chrono::milliseconds Modem::sendDue()
{
    const auto now = Clock::now();
    while (!pending_.empty() && pending_.begin()->first <= now) {
        line_.write(pending_.begin()->second);
        pending_.erase(pending_.begin());
    }
    if (pending_.empty())
        return 200ms;
    return std::chrono::duration_cast<std::chrono::milliseconds>(pending_.begin()->first - now) +
           1ms;
}

// Equal times keep their order; with a byte gap, the answer trickles out byte by byte.
void Modem::reply(const std::string& text, std::chrono::milliseconds delay)
{
    if (options_.byteGap == 0ms) {
        pending_.emplace(Clock::now() + delay, text);
        return;
    }
    for (std::size_t i = 0; i < text.size(); ++i)
        pending_.emplace(Clock::now() + delay + options_.byteGap * static_cast<int>(i),
                         text.substr(i, 1));
}

void Modem::commandByte(char c)
{
    if (c == '\n' || c == kEscape) // ESC outside a message is ignored, as by real modems
        return;
    if (c != '\r') {
        command_ += c;
        return;
    }
    command(std::exchange(command_, {}));
}

void Modem::command(const std::string& line)
{
    const std::string compacted = compact(line);
    if (compacted.empty())
        return;
    if (compacted == "AT" || compacted == "AT+CMGF=1") {
        reply("\r\nOK\r\n");
    } else if (const auto answers = statusAnswers(options_.trouble, compacted); !answers.empty()) {
        for (const std::string& answer : answers)
            reply(answer);
    } else if (compacted == "ATE0" || compacted == "ATE1") {
        options_.echo = compacted == "ATE1";
        reply("\r\nOK\r\n");
    } else if (compacted.rfind("AT+CMGS=", 0) == 0) {
        sendCommand(line);
    } else {
        reply("\r\nERROR\r\n");
    }
}

void Modem::sendCommand(const std::string& line)
{
    const auto open = line.find('"');
    const auto close = line.find('"', open + 1);
    if (options_.mode == "error" || open == std::string::npos || close == std::string::npos) {
        reply("\r\nERROR\r\n");
        return;
    }
    if (const char* refusal = messageRefusal(options_.trouble)) {
        reply(refusal);
        return;
    }
    number_ = line.substr(open + 1, close - open - 1);
    body_.clear();
    inBody_ = true;
    // Until its prompt is out, a slow modem still reads commands, and ignores an ESC.
    const auto delay = options_.mode == "slow-prompt" ? options_.promptDelay : 0ms;
    bodyFrom_ = Clock::now() + delay;
    reply(options_.mode == "bare-prompt" ? "\r\n>" : "\r\n> ", delay);
}

void Modem::bodyByte(char c)
{
    if (c == kEscape) {
        inBody_ = false;
        reply("\r\nOK\r\n");
    } else if (c == kCtrlZ) {
        inBody_ = false;
        accept();
    } else {
        body_ += c;
        if (c == '\r') // a line of text ends: the prompt for the next, as real modems do
            reply("\r\n> ");
    }
}

void Modem::accept()
{
    if (options_.mode == "no-confirm")
        return;
    if (options_.mode == "cms-error") {
        reply("\r\n+CMS ERROR: 500\r\n", options_.replyDelay);
        return;
    }
    std::cout << printable(number_) << '\t' << printable(body_) << std::endl;
    reply("\r\n+CMGS: " + std::to_string(++reference_) + "\r\n\r\nOK\r\n", options_.replyDelay);
}

} // namespace orva::tools
