#include "PseudoTerminal.h"

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <poll.h>
#include <stdexcept>
#include <termios.h>
#include <unistd.h>

namespace orva::tools {
namespace {

[[noreturn]] void failSystem(const std::string& what)
{
    throw std::runtime_error(what + ": " + std::strerror(errno));
}

} // namespace

PseudoTerminal::PseudoTerminal(std::string linkPath)
    : linkPath_(std::move(linkPath))
{
    master_ = posix_openpt(O_RDWR | O_NOCTTY | O_CLOEXEC);
    if (master_ < 0 || grantpt(master_) != 0 || unlockpt(master_) != 0)
        failSystem("cannot create a pseudo-terminal");
    slavePath_ = ptsname(master_);
    slave_ = ::open(slavePath_.c_str(), O_RDWR | O_NOCTTY | O_CLOEXEC);
    if (slave_ < 0)
        failSystem("cannot open " + slavePath_);
    termios raw{};
    tcgetattr(slave_, &raw);
    cfmakeraw(&raw);
    tcsetattr(slave_, TCSANOW, &raw);
    if (!linkPath_.empty()) {
        ::unlink(linkPath_.c_str());
        if (::symlink(slavePath_.c_str(), linkPath_.c_str()) != 0)
            failSystem("cannot link " + linkPath_);
    }
}

PseudoTerminal::~PseudoTerminal()
{
    if (!linkPath_.empty())
        ::unlink(linkPath_.c_str());
    ::close(slave_);
    ::close(master_);
}

void PseudoTerminal::write(std::string_view bytes) const
{
    while (!bytes.empty()) {
        const ssize_t written = ::write(master_, bytes.data(), bytes.size());
        if (written < 0 && errno != EINTR && errno != EAGAIN)
            failSystem("cannot write to " + slavePath_);
        if (written > 0)
            bytes.remove_prefix(static_cast<std::size_t>(written));
    }
}

std::string PseudoTerminal::read(std::chrono::milliseconds timeout) const
{
    pollfd ready{master_, POLLIN, 0};
    if (::poll(&ready, 1, static_cast<int>(timeout.count())) <= 0)
        return {};
    char chunk[4096];
    const ssize_t got = ::read(master_, chunk, sizeof chunk);
    return got > 0 ? std::string(chunk, static_cast<std::size_t>(got)) : std::string{};
}

} // namespace orva::tools
