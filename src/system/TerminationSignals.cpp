#include "TerminationSignals.h"

#include <QSocketNotifier>
#include <atomic>

#ifdef Q_OS_UNIX
#include <array>
#include <csignal>
#include <fcntl.h>
#include <unistd.h>
#endif

namespace orva {
namespace {

// Set by the signal handler, which may only touch a lock-free atomic.
std::atomic<bool> terminationPending = false;
static_assert(std::atomic<bool>::is_always_lock_free);

} // namespace

bool TerminationSignals::requested()
{
    return terminationPending;
}

#ifdef Q_OS_UNIX

namespace {

// The signals that ask a program to end, and those an operator or a stray timer sends whose
// default would end ORVA without a word.
constexpr std::array kSignals{SIGTERM, SIGINT, SIGHUP, SIGQUIT, SIGUSR1, SIGUSR2, SIGALRM};
int signalPipe[2] = {-1, -1};
std::array<struct sigaction, kSignals.size()> previousActions{};
struct sigaction previousPipeAction {};

void onSignal(int)
{
    terminationPending = true;
    const char byte = 1;
    [[maybe_unused]] const auto written = ::write(signalPipe[1], &byte, 1);
}

} // namespace

TerminationSignals::TerminationSignals()
{
    terminationPending = false;
    if (::pipe(signalPipe) != 0)
        return;
    for (const int fd : signalPipe)
        ::fcntl(fd, F_SETFL, ::fcntl(fd, F_GETFL) | O_NONBLOCK);
    notifier_ = std::make_unique<QSocketNotifier>(signalPipe[0], QSocketNotifier::Read);
    connect(notifier_.get(), &QSocketNotifier::activated, this, &TerminationSignals::drain);
    struct sigaction action {};
    action.sa_handler = onSignal;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    for (std::size_t i = 0; i < kSignals.size(); ++i)
        ::sigaction(kSignals[i], &action, &previousActions[i]);
    // A write to a closed standard error or journal stream fails, instead of ending ORVA.
    struct sigaction ignore {};
    ignore.sa_handler = SIG_IGN;
    sigemptyset(&ignore.sa_mask);
    ::sigaction(SIGPIPE, &ignore, &previousPipeAction);
}

TerminationSignals::~TerminationSignals()
{
    if (!notifier_)
        return;
    for (std::size_t i = 0; i < kSignals.size(); ++i)
        ::sigaction(kSignals[i], &previousActions[i], nullptr);
    ::sigaction(SIGPIPE, &previousPipeAction, nullptr);
    notifier_.reset();
    ::close(signalPipe[0]);
    ::close(signalPipe[1]);
}

void TerminationSignals::drain()
{
    char bytes[16];
    while (::read(signalPipe[0], bytes, sizeof bytes) > 0) {
    }
    emit terminationRequested();
}

#else

TerminationSignals::TerminationSignals() = default;
TerminationSignals::~TerminationSignals() = default;
void TerminationSignals::drain()
{
}

#endif

} // namespace orva
