// An alarm output on a pseudo-terminal: sends its records as one burst.
//
// usage: orva-alarm-simulator --link PATH [--crlf] [--pace MS] [--after MS] [--wait]
//                       [--file FILE|-] [RECORD...]
//   Records come from FILE (one a line; - reads standard input) and from the arguments; a
//   FILE other than - is read again for every burst, so a burst may differ from the last.
//   Each is sent with a CR ending (CR LF with --crlf), --pace MS apart. The burst goes out
//   --after MS from the start (not with --wait) and again at every SIGUSR1.
//   SIGTERM or SIGINT ends it and removes the link.

#include "common/CommandLine.h"
#include "pty/PseudoTerminal.h"

#include <chrono>
#include <csignal>
#include <fstream>
#include <iostream>
#include <string>
#include <thread>
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

Options parse(int argc, char** argv)
{
    Options options;
    orva::tools::CommandLine line(argc, argv);
    while (line.next()) {
        const std::string& arg = line.argument();
        if (arg == "--link")
            options.link = line.value();
        else if (arg == "--crlf")
            options.ending = "\r\n";
        else if (arg == "--pace")
            options.pace = line.milliseconds();
        else if (arg == "--after")
            options.after = line.milliseconds();
        else if (arg == "--wait")
            options.sendAtStart = false;
        else if (arg == "--file")
            takeFile(line.value(), options);
        else if (arg.rfind("--", 0) == 0)
            throw std::runtime_error("unknown argument " + arg);
        else
            options.records.push_back(arg);
    }
    if (options.link.empty())
        throw std::runtime_error("usage: orva-alarm-simulator --link PATH [--crlf] [--pace MS] "
                                 "[--after MS] [--wait] [--file FILE|-] [RECORD...]");
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
    try {
        const Options options = parse(argc, argv);
        orva::tools::stopOnTerminationSignals();
        std::signal(SIGUSR1, [](int) { burstRequested = 1; });
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
