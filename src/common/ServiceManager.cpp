#include "ServiceManager.h"

#ifdef ORVA_SYSTEMD
#include <QElapsedTimer>
#include <cstdlib>
#include <syslog.h>
#include <systemd/sd-daemon.h>
#include <systemd/sd-journal.h>
#endif

namespace orva::service {

#ifdef ORVA_SYSTEMD

namespace {

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

std::chrono::milliseconds watchdogInterval()
{
    static const std::chrono::milliseconds interval = [] {
        uint64_t microseconds = 0;
        if (sd_watchdog_enabled(0, &microseconds) <= 0)
            return std::chrono::milliseconds::zero();
        return std::chrono::duration_cast<std::chrono::milliseconds>(
            std::chrono::microseconds(microseconds));
    }();
    return interval;
}

void keepAlive()
{
    const std::chrono::milliseconds interval = watchdogInterval();
    if (interval == std::chrono::milliseconds::zero())
        return;
    static QElapsedTimer sinceLast;
    if (sinceLast.isValid() && sinceLast.elapsed() < (interval / 8).count())
        return;
    sinceLast.start();
    notify("WATCHDOG=1");
}

void journal(const QString& entry, Severity severity)
{
    sd_journal_send("MESSAGE=%s", entry.toUtf8().constData(), "PRIORITY=%i", priority(severity),
                    "SYSLOG_IDENTIFIER=orva", nullptr);
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
std::chrono::milliseconds watchdogInterval()
{
    return std::chrono::milliseconds::zero();
}
void keepAlive()
{
}
void journal(const QString&, Severity)
{
}

#endif

} // namespace orva::service
