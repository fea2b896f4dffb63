#pragma once

#include "system/ServiceManager.h"

#include <QObject>
#include <QTimer>

class QLineEdit;

namespace orva {

// What a service manager hears of the running program: the status line's text as the service's
// status, and the watchdog's ping, from the event loop, which runs whenever ORVA waits for the
// operator or for a burst to settle (a transaction's waits and a question's polls ping on their
// own).
class ServiceHeartbeat : public QObject {
    Q_OBJECT

public:
    ServiceHeartbeat(const QLineEdit& statusLine, const service::WatchdogPace& pace);

private:
    QTimer watchdogTimer_;
};

} // namespace orva
