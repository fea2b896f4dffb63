#include "CommandLine.h"

#include <csignal>
#include <stdexcept>

namespace orva::tools {
namespace {

volatile std::sig_atomic_t stopSignalled = 0;

} // namespace

CommandLine::CommandLine(int argc, char** argv)
    : argc_(argc)
    , argv_(argv)
{
}

bool CommandLine::next()
{
    if (++index_ >= argc_)
        return false;
    argument_ = argv_[index_];
    return true;
}

std::string CommandLine::value()
{
    if (index_ + 1 >= argc_)
        throw std::runtime_error(argument_ + " needs a value");
    return argv_[++index_];
}

std::chrono::milliseconds CommandLine::milliseconds()
{
    return std::chrono::milliseconds(std::stoi(value()));
}

void stopOnTerminationSignals()
{
    std::signal(SIGTERM, [](int) { stopSignalled = 1; });
    std::signal(SIGINT, [](int) { stopSignalled = 1; });
}

bool stopRequested()
{
    return stopSignalled != 0;
}

} // namespace orva::tools
