#include "StopOnTerminationSignals.h"

#include <csignal>

namespace orva::tools {
namespace {

volatile std::sig_atomic_t stopSignalled = 0;

} // namespace

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
