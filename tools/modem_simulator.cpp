// A GSM modem on a pseudo-terminal, answering text-mode SMS commands and the status queries
// as a real one does. Every SMS accepted is printed as one line: the number, a tab, the text
// (control characters as \xNN). The link appears once the simulator is ready. With a control
// file, SIGUSR1 makes it act out what the file says from then on, as a modem that hangs, loses
// its SIM or its network and comes back. SIGTERM or SIGINT ends it and removes the link.

#include "common/CommandLine.h"
#include "common/StopOnTerminationSignals.h"
#include "pty/PseudoTerminal.h"

#include <algorithm>
#include <cctype>
#include <chrono>
#include <csignal>
#include <cstdio>
#include <fstream>
#include <iostream>
#include <map>
#include <string>
#include <utility>
#include <variant>

using namespace std::chrono_literals;
using Clock = std::chrono::steady_clock;

namespace {

const QStringList kModes{"normal",      "silent",      "error",     "cms-error",
                         "bare-prompt", "slow-prompt", "no-confirm"};
const QStringList kTroubles{"none",      "no-sim",         "pin",
                            "no-signal", "not-registered", "unsolicited-creg"};

struct Options {
    std::string link;
    std::string mode = "normal";
    std::string trouble = "none";
    bool echo = true;
    std::chrono::milliseconds replyDelay = 300ms;
    std::chrono::milliseconds promptDelay = 2000ms;
    std::chrono::milliseconds byteGap = 0ms;
    std::string transcript;
    std::string control;
};

volatile std::sig_atomic_t changeRequested = 0;

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

class Modem {
public:
    Modem(const Options& options, orva::tools::PseudoTerminal& line)
        : options_(options)
        , line_(line)
    {
        if (!options.transcript.empty())
            transcript_.open(options.transcript, std::ios::binary | std::ios::app);
    }

    void receive(const std::string& bytes)
    {
        if (transcript_.is_open())
            transcript_.write(bytes.data(), static_cast<std::streamsize>(bytes.size())).flush();
        if (options_.mode == "silent")
            return;
        for (const char c : bytes) {
            if (options_.echo)
                line_.write(std::string(1, c));
            inBody_ ? bodyByte(c) : commandByte(c);
        }
    }

    // From now on, answers in another mode or with another trouble.
    void actOut(const std::string& mode, const std::string& trouble)
    {
        options_.mode = mode;
        options_.trouble = trouble;
        pending_.clear();
        inBody_ = false;
        std::cerr << "acting out mode=" << mode << " trouble=" << trouble << std::endl;
    }

    const Options& options() const { return options_; }

    // Sends the replies whose time has come; returns how long until the next one.
    std::chrono::milliseconds sendDue()
    {
        const auto now = Clock::now();
        while (!pending_.empty() && pending_.begin()->first <= now) {
            line_.write(pending_.begin()->second);
            pending_.erase(pending_.begin());
        }
        if (pending_.empty())
            return 200ms;
        return std::chrono::duration_cast<std::chrono::milliseconds>(pending_.begin()->first -
                                                                     now) +
               1ms;
    }

private:
    // Equal times keep their order; with a byte gap, the answer trickles out byte by byte.
    void reply(const std::string& text, std::chrono::milliseconds delay = 0ms)
    {
        if (options_.byteGap == 0ms) {
            pending_.emplace(Clock::now() + delay, text);
            return;
        }
        for (std::size_t i = 0; i < text.size(); ++i)
            pending_.emplace(Clock::now() + delay + options_.byteGap * static_cast<int>(i),
                             text.substr(i, 1));
    }

    void commandByte(char c)
    {
        if (c == '\n' || c == kEscape) // ESC outside a message is ignored, as by real modems
            return;
        if (c != '\r') {
            command_ += c;
            return;
        }
        command(std::exchange(command_, {}));
    }

    void command(const std::string& line)
    {
        const std::string compacted = compact(line);
        if (compacted.empty())
            return;
        if (compacted == "AT" || compacted == "AT+CMGF=1") {
            reply("\r\nOK\r\n");
        } else if (compacted == "AT+CPIN?") {
            reply(simStatus());
        } else if (compacted == "AT+CSQ") {
            reply(options_.trouble == "no-signal" ? "\r\n+CSQ: 99,99\r\n\r\nOK\r\n"
                                                  : "\r\n+CSQ: 20,99\r\n\r\nOK\r\n");
        } else if (compacted == "AT+CREG?") {
            if (options_.trouble == "unsolicited-creg") // a registration report came first
                reply("\r\n+CREG: 1\r\n");
            reply("\r\n+CREG: 0," + std::string(registration()) + "\r\n\r\nOK\r\n");
        } else if (compacted == "ATE0" || compacted == "ATE1") {
            options_.echo = compacted == "ATE1";
            reply("\r\nOK\r\n");
        } else if (compacted.rfind("AT+CMGS=", 0) == 0) {
            sendCommand(line);
        } else {
            reply("\r\nERROR\r\n");
        }
    }

    std::string simStatus() const
    {
        if (options_.trouble == "no-sim")
            return "\r\n+CME ERROR: 10\r\n";
        if (options_.trouble == "pin")
            return "\r\n+CPIN: SIM PIN\r\n\r\nOK\r\n";
        return "\r\n+CPIN: READY\r\n\r\nOK\r\n";
    }

    // Why a message cannot go, as a real modem says it: no SIM, a SIM asking for its PIN, no
    // network service; none when it can.
    const char* messageRefusal() const
    {
        if (options_.trouble == "no-sim")
            return "\r\n+CMS ERROR: 310\r\n";
        if (options_.trouble == "pin")
            return "\r\n+CMS ERROR: 311\r\n";
        if (options_.trouble == "no-signal" || options_.trouble == "not-registered")
            return "\r\n+CMS ERROR: 331\r\n";
        return nullptr;
    }

    // 1 registered on the home network, 2 searching, 0 not registered.
    const char* registration() const
    {
        if (options_.trouble == "no-signal")
            return "2";
        if (options_.trouble == "not-registered")
            return "0";
        return "1";
    }

    void sendCommand(const std::string& line)
    {
        const auto open = line.find('"');
        const auto close = line.find('"', open + 1);
        if (options_.mode == "error" || open == std::string::npos || close == std::string::npos) {
            reply("\r\nERROR\r\n");
            return;
        }
        if (const char* refusal = messageRefusal()) {
            reply(refusal);
            return;
        }
        number_ = line.substr(open + 1, close - open - 1);
        body_.clear();
        inBody_ = true;
        if (options_.mode == "bare-prompt")
            reply("\r\n>");
        else if (options_.mode == "slow-prompt")
            reply("\r\n> ", options_.promptDelay);
        else
            reply("\r\n> ");
    }

    void bodyByte(char c)
    {
        if (c == kEscape) {
            inBody_ = false;
            reply("\r\nOK\r\n");
        } else if (c == kCtrlZ) {
            inBody_ = false;
            accept();
        } else {
            body_ += c;
        }
    }

    void accept()
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

    Options options_;
    orva::tools::PseudoTerminal& line_;
    std::ofstream transcript_;
    std::multimap<Clock::time_point, std::string> pending_;
    std::string command_;
    std::string number_;
    std::string body_;
    bool inBody_ = false;
    int reference_ = 0;
};

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
        if (word.rfind("mode=", 0) == 0 && kModes.contains(value))
            mode = value.toStdString();
        else if (word.rfind("trouble=", 0) == 0 && kTroubles.contains(value))
            trouble = value.toStdString();
        else
            std::cerr << "orva-modem-simulator: ignored in " << path << ": " << word << std::endl;
    }
    modem.actOut(mode, trouble);
}

std::variant<Options, int> parse(int argc, char** argv)
{
    orva::CommandLine commandLine(
        QStringLiteral("orva-modem-simulator"),
        QStringLiteral("A GSM modem on a pseudo-terminal, for rehearsing ORVA without hardware."),
        argc, argv);
    QCommandLineParser& parser = commandLine.parser();
    const QCommandLineOption link(QStringLiteral("link"),
                                  QStringLiteral("Where to link the line's far end (required)."),
                                  QStringLiteral("path"));
    const QCommandLineOption mode(
        QStringLiteral("mode"),
        QStringLiteral("How the modem answers messages: %1.").arg(kModes.join(u", ")),
        QStringLiteral("mode"), QStringLiteral("normal"));
    const QCommandLineOption trouble(
        QStringLiteral("trouble"),
        QStringLiteral("A trouble to act out: %1.").arg(kTroubles.join(u", ")),
        QStringLiteral("trouble"), QStringLiteral("none"));
    const QCommandLineOption noEcho(QStringLiteral("no-echo"),
                                    QStringLiteral("Do not echo what is written to the modem."));
    const QCommandLineOption replyDelay(QStringLiteral("reply-delay"),
                                        QStringLiteral("Delay of the answer to a message."),
                                        QStringLiteral("ms"), QStringLiteral("300"));
    const QCommandLineOption promptDelay(QStringLiteral("prompt-delay"),
                                         QStringLiteral("Delay of the prompt in slow-prompt mode."),
                                         QStringLiteral("ms"), QStringLiteral("2000"));
    const QCommandLineOption byteGap(QStringLiteral("byte-gap"),
                                     QStringLiteral("Pause between the bytes of an answer."),
                                     QStringLiteral("ms"), QStringLiteral("0"));
    const QCommandLineOption transcript(QStringLiteral("transcript"),
                                        QStringLiteral("File that records every byte received."),
                                        QStringLiteral("file"));
    const QCommandLineOption control(
        QStringLiteral("control"),
        QStringLiteral("File read at every SIGUSR1: words mode=<mode> and trouble=<trouble> to "
                       "act out from then on."),
        QStringLiteral("file"));
    parser.addOptions(
        {link, mode, trouble, noEcho, replyDelay, promptDelay, byteGap, transcript, control});
    if (const auto status = commandLine.parse())
        return *status;
    if (!parser.isSet(link))
        return commandLine.refuse(QStringLiteral("--link is required"));
    Options options;
    try {
        options.link = parser.value(link).toStdString();
        options.mode = commandLine.oneOf(mode, kModes).toStdString();
        options.trouble = commandLine.oneOf(trouble, kTroubles).toStdString();
        options.echo = !parser.isSet(noEcho);
        options.replyDelay = commandLine.milliseconds(replyDelay);
        options.promptDelay = commandLine.milliseconds(promptDelay);
        options.byteGap = commandLine.milliseconds(byteGap);
        options.transcript = parser.value(transcript).toStdString();
        options.control = parser.value(control).toStdString();
    } catch (const orva::UsageError& error) {
        return commandLine.refuse(QString::fromStdString(error.what()));
    }
    return options;
}

} // namespace

int main(int argc, char** argv)
{
    try {
        const auto parsed = parse(argc, argv);
        if (const int* status = std::get_if<int>(&parsed))
            return *status;
        const Options& options = std::get<Options>(parsed);
        orva::tools::stopOnTerminationSignals();
        std::signal(SIGUSR1, [](int) { changeRequested = 1; });
        orva::tools::PseudoTerminal line(options.link);
        Modem modem(options, line);
        std::cerr << "modem simulator ready at " << options.link << std::endl;
        auto wait = 200ms;
        while (!orva::tools::stopRequested()) {
            const std::string bytes = line.read(wait);
            if (!bytes.empty())
                modem.receive(bytes);
            if (changeRequested && !options.control.empty()) {
                changeRequested = 0;
                readControl(modem, options.control);
            }
            wait = modem.sendDue();
        }
        return 0;
    } catch (const std::exception& error) {
        std::cerr << "orva-modem-simulator: " << error.what() << std::endl;
        return 2;
    }
}
