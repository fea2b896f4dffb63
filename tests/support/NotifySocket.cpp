#include "NotifySocket.h"

#include <poll.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

#include <cstring>
#include <stdexcept>

namespace orva::test {

NotifySocket::NotifySocket()
    : path_(dir_.path() + QStringLiteral("/notify"))
{
    socket_ = ::socket(AF_UNIX, SOCK_DGRAM | SOCK_CLOEXEC, 0);
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    const QByteArray name = path_.toLocal8Bit();
    std::strncpy(address.sun_path, name.constData(), sizeof address.sun_path - 1);
    if (socket_ < 0 ||
        ::bind(socket_, reinterpret_cast<const sockaddr*>(&address), sizeof address) != 0)
        throw std::runtime_error("cannot bind the notification socket");
}

NotifySocket::~NotifySocket()
{
    ::close(socket_);
}

bool NotifySocket::receive(std::chrono::milliseconds wait)
{
    pollfd ready{socket_, POLLIN, 0};
    if (::poll(&ready, 1, static_cast<int>(wait.count())) <= 0)
        return false;
    char buffer[4096];
    const ssize_t size = ::recv(socket_, buffer, sizeof buffer, 0);
    if (size < 0)
        return false;
    messages_.push_back({std::chrono::steady_clock::now(), QByteArray(buffer, size)});
    return true;
}

bool NotifySocket::receiveUntil(std::chrono::milliseconds period, const std::function<bool()>& done)
{
    const auto deadline = std::chrono::steady_clock::now() + period;
    for (auto now = std::chrono::steady_clock::now(); !done();
         now = std::chrono::steady_clock::now()) {
        if (now >= deadline)
            return false;
        receive(std::chrono::duration_cast<std::chrono::milliseconds>(deadline - now));
    }
    return true;
}

bool NotifySocket::waitFor(const QByteArray& text, std::chrono::milliseconds timeout)
{
    return receiveUntil(timeout, [this, &text] { return !matching(text).empty(); });
}

void NotifySocket::listen(std::chrono::milliseconds period)
{
    receiveUntil(period, [] { return false; });
}

std::vector<NotifySocket::Message> NotifySocket::matching(const QByteArray& text) const
{
    std::vector<Message> found;
    for (const Message& message : messages_)
        if (message.text.contains(text))
            found.push_back(message);
    return found;
}

} // namespace orva::test
