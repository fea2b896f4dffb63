#include "ServiceHeartbeat.h"

#include <QLineEdit>

namespace orva {

ServiceHeartbeat::ServiceHeartbeat(const QLineEdit& statusLine, const service::WatchdogPace& pace)
{
    connect(&statusLine, &QLineEdit::textChanged, this,
            [](const QString& text) { service::status(text); });
    const std::chrono::microseconds interval = service::watchdogInterval();
    if (interval == std::chrono::microseconds::zero())
        return;
    service::paceKeepAlive(pace);
    watchdogTimer_.setInterval(service::pingPeriod(interval, pace));
    connect(&watchdogTimer_, &QTimer::timeout, this, [] { service::keepAlive(); });
    watchdogTimer_.start();
    service::keepAlive();
}

} // namespace orva
