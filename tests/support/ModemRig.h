#pragma once

#include "LineOnPty.h"
#include "ModemSimulator.h"
#include "app/Recording.h"
#include "app/Timing.h"
#include "eventlog/EventLog.h"
#include "messaging/SmsModem.h"

namespace orva::test {

// The modem simulator on COM1 of a temporary home, port A open on it, and the modem with a
// short wait unit, its status line kept for the test to read.
struct ModemRig {
    static constexpr std::chrono::milliseconds kWaitUnit{60};

    explicit ModemRig(const TestHome& home, const QStringList& modemOptions = {},
                      std::chrono::milliseconds waitUnit = kWaitUnit)
        : simulator(home, modemOptions)
        , portA(openLine(1, QStringLiteral("port A")))
        , log(home.dataFolder())
        , modem(*portA, Timing{.modemWaitUnit = waitUnit}.smsWaits(), [this](const Event& event) {
            status = event.shown.value_or(event.entry);
            return logEvent(log, event);
        })
    {
    }

    ModemSimulator simulator;
    std::unique_ptr<SerialLine> portA;
    EventLog log;
    QString status;
    SmsModem modem;
};

} // namespace orva::test
