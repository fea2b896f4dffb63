// An alarm output on a pseudo-terminal: sends its records as one burst.
//
// Records come from a file (one a line; - reads standard input) and from the arguments; a file
// other than - is read again for every burst, so a burst may differ from the last. The link
// appears once the simulator is ready for SIGUSR1. SIGTERM or SIGINT ends it and removes the
// link.

#include "app/CommandLine.h"
#include "common/StopOnTerminationSignals.h"
#include "pty/PseudoTerminal.h"

#include <chrono>
#include <csignal>
#include <fstream>
#include <iostream>
#include <string>
#include <thread>
#include <variant>
#include <vector>

using namespace std::chrono_literals;

namespace {

volatile std::sig_atomic_t burstRequested = 0;

struct Options {
    std::string link;
    std::string ending = "\r";
    std::chrono::milliseconds pace = 0ms;
    std::chrono::milliseconds after = 0ms;
    bool sendAtStart = true;
    std::string file;
    std::vector<std::string> records;
};

void readRecords(std::istream& in, std::vector<std::string>& records)
{
    for (std::string line; std::getline(in, line);) {
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        records.push_back(line);
    }
}

void readRecordFile(const std::string& path, std::vector<std::string>& records)
{
    std::ifstream file(path, std::ios::binary);
    if (!file)
        throw std::runtime_error("cannot read " + path);
    readRecords(file, records);
}

// Standard input is read once, now; a file is read again at every burst.
void takeFile(const std::string& path, Options& options)
{
    if (path == "-")
        readRecords(std::cin, options.records);
    else
        options.file = path;
}

std::variant<Options, int> parse(int argc, char** argv)
{
    orva::CommandLine commandLine(
        QStringLiteral("orva-alarm-simulator"),
        QStringLiteral("An alarm output on a pseudo-terminal: sends its records as one burst, "
                       "at the start and again at every SIGUSR1."),
        argc, argv);
    QCommandLineParser& parser = commandLine.parser();
    const QCommandLineOption link(QStringLiteral("link"),
                                  QStringLiteral("Where to link the line's far end (required)."),
                                  QStringLiteral("path"));
    const QCommandLineOption crlf(QStringLiteral("crlf"),
                                  QStringLiteral("End records with CR LF instead of CR."));
    const QCommandLineOption pace(QStringLiteral("pace"), QStringLiteral("Pause between records."),
                                  QStringLiteral("ms"), QStringLiteral("0"));
    const QCommandLineOption after(QStringLiteral("after"),
                                   QStringLiteral("Delay of the first burst."),
                                   QStringLiteral("ms"), QStringLiteral("0"));
    const QCommandLineOption wait(QStringLiteral("wait"),
                                  QStringLiteral("Send nothing before the first SIGUSR1."));
    const QCommandLineOption file(QStringLiteral("file"),
                                  QStringLiteral("Records, one a line; - reads standard input."),
                                  QStringLiteral("file"));
    parser.addOptions({link, crlf, pace, after, wait, file});
    if (const auto status = commandLine.parse(QStringLiteral("record")))
        return *status;
    if (!parser.isSet(link))
        return commandLine.refuse(QStringLiteral("--link is required"));
    Options options;
    try {
        options.link = parser.value(link).toStdString();
        options.ending = parser.isSet(crlf) ? "\r\n" : "\r";
        options.pace = commandLine.milliseconds(pace);
        options.after = commandLine.milliseconds(after);
        options.sendAtStart = !parser.isSet(wait);
        if (parser.isSet(file))
            takeFile(parser.value(file).toStdString(), options);
    } catch (const orva::UsageError& error) {
        return commandLine.refuse(QString::fromStdString(error.what()));
    }
    for (const QString& record : parser.positionalArguments())
        options.records.push_back(record.toLocal8Bit().toStdString());
    return options;
}

void sendBurst(const Options& options, const orva::tools::PseudoTerminal& line)
{
    std::vector<std::string> records;
    if (!options.file.empty())
        readRecordFile(options.file, records);
    records.insert(records.end(), options.records.begin(), options.records.end());
    for (const std::string& record : records) {
        line.write(record + options.ending);
        std::this_thread::sleep_for(options.pace);
    }
    std::cerr << "alarm simulator sent " << records.size() << " records" << std::endl;
}

} // namespace

int main(int argc, char** argv)
{
    // First of all, so that a burst asked for early is not taken for a termination.
    std::signal(SIGUSR1, [](int) { burstRequested = 1; });
    try {
        const auto parsed = parse(argc, argv);
        if (const int* status = std::get_if<int>(&parsed))
            return *status;
        const Options& options = std::get<Options>(parsed);
        orva::tools::stopOnTerminationSignals();
        orva::tools::PseudoTerminal line(options.link);
        std::cerr << "alarm simulator ready at " << options.link << std::endl;
        if (options.sendAtStart) {
            std::this_thread::sleep_for(options.after);
            sendBurst(options, line);
        }
        while (!orva::tools::stopRequested()) {
            line.read(100ms); // the alarm output ignores what it is sent
            if (burstRequested != 0) {
                burstRequested = 0;
                sendBurst(options, line);
            }
        }
        return 0;
    } catch (const std::exception& error) {
        std::cerr << "orva-alarm-simulator: " << error.what() << std::endl;
        return 2;
    }
}
