#pragma once

#include "ModemSimulator.h"
#include "TestHome.h"
#include "eventlog/EventLog.h"
#include "messaging/SmsModem.h"
#include "serial/SerialLine.h"

#include <memory>

namespace orva::test {

// The modem simulator on COM1 of a temporary home, port A open on it, and SendSms with a
// short wait unit, its status line kept for the test to read.
class ModemRig {
public:
    static constexpr std::chrono::milliseconds kWaitUnit{60};

    explicit ModemRig(const TestHome& home, const QStringList& modemOptions = {});

    ModemSimulator simulator;
    std::unique_ptr<SerialLine> portA;
    EventLog log;
    QString status;
    SmsModem modem;
};

} // namespace orva::test
