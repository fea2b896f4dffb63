#include "ServiceManager.h"

#ifdef ORVA_SYSTEMD
#include <QElapsedTimer>
#include <QtEndian>
#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <sys/socket.h>
#include <sys/un.h>
#include <syslog.h>
#include <systemd/sd-daemon.h>
#endif

namespace orva::service {

#ifdef ORVA_SYSTEMD

namespace {

// How long keepAlive lets pass before it tells the watchdog again: nothing until it is paced.
std::chrono::nanoseconds keepAliveGap{0};

void notify(const QByteArray& state)
{
    sd_notify(0, state.constData());
}

int priority(Severity severity)
{
    switch (severity) {
    case Severity::Error:
        return LOG_ERR;
    case Severity::Warning:
        return LOG_WARNING;
    case Severity::Notice:
        return LOG_NOTICE;
    case Severity::Info:
        break;
    }
    return LOG_INFO;
}

} // namespace

bool supervised()
{
    const char* socket = std::getenv("NOTIFY_SOCKET");
    return socket != nullptr && *socket != '\0';
}

void ready()
{
    notify("READY=1");
}

// One line: a line break would end the assignment.
void status(const QString& text)
{
    QString line = text;
    line.replace(u'\n', u' ').replace(u'\r', u' ');
    notify("STATUS=" + line.toUtf8());
}

void stopping()
{
    notify("STOPPING=1");
}

std::chrono::microseconds watchdogInterval()
{
    static const std::chrono::microseconds interval = [] {
        uint64_t microseconds = 0;
        if (sd_watchdog_enabled(0, &microseconds) <= 0)
            return std::chrono::microseconds::zero();
        // Longer intervals are served as this one: pings a day apart, and no count overflows.
        constexpr std::chrono::microseconds longest = std::chrono::hours(24 * 100);
        return std::chrono::microseconds(
            std::min<uint64_t>(microseconds, static_cast<uint64_t>(longest.count())));
    }();
    return interval;
}

void paceKeepAlive(const WatchdogPace& pace)
{
    keepAliveGap = std::chrono::duration_cast<std::chrono::nanoseconds>(watchdogInterval() /
                                                                        pace.keepAliveParts);
}

void keepAlive()
{
    if (watchdogInterval() == std::chrono::microseconds::zero())
        return;
    static QElapsedTimer sinceLast;
    if (sinceLast.isValid() && sinceLast.nsecsElapsed() < keepAliveGap.count())
        return;
    sinceLast.start();
    notify("WATCHDOG=1");
}

// The journal's own datagram protocol on a socket that never blocks: libsystemd's sender waits
// while journald does not read, and would hold the alarms with it. The message goes in the
// protocol's binary form, which takes any byte, a line feed too.
bool journal(const QString& entry, Severity severity)
{
    static const int socket = ::socket(AF_UNIX, SOCK_DGRAM | SOCK_CLOEXEC | SOCK_NONBLOCK, 0);
    if (socket < 0)
        return true;
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    constexpr char path[] = "/run/systemd/journal/socket";
    std::memcpy(address.sun_path, path, sizeof path);
    const QByteArray message = entry.toUtf8();
    const auto size = qToLittleEndian<quint64>(static_cast<quint64>(message.size()));
    QByteArray datagram = "PRIORITY=" + QByteArray::number(priority(severity)) +
                          "\nSYSLOG_IDENTIFIER=orva\nMESSAGE\n";
    datagram.append(reinterpret_cast<const char*>(&size), sizeof size).append(message + '\n');
    if (::sendto(socket, datagram.constData(), static_cast<std::size_t>(datagram.size()),
                 MSG_NOSIGNAL, reinterpret_cast<const sockaddr*>(&address), sizeof address) >= 0)
        return true;
    return errno == ENOENT; // no journal at all: nothing it could lose
}

#else

bool supervised()
{
    return false;
}
void ready()
{
}
void status(const QString&)
{
}
void stopping()
{
}
std::chrono::microseconds watchdogInterval()
{
    return std::chrono::microseconds::zero();
}
void paceKeepAlive(const WatchdogPace&)
{
}
void keepAlive()
{
}
bool journal(const QString&, Severity)
{
    return true;
}

#endif

} // namespace orva::service
