#pragma once

#include "ChildProcess.h"
#include "TestHome.h"
#include "eventlog/EventLog.h"
#include "messaging/SmsModem.h"
#include "serial/SerialLine.h"

#include <QByteArray>
#include <memory>

namespace orva::test {

// The modem simulator on COM1 of a temporary home, port A opened on it, and SendSms with a
// short wait unit, its status line kept for the test to read.
class ModemRig {
public:
    static constexpr std::chrono::milliseconds kWaitUnit{60};

    explicit ModemRig(const TestHome& home, const QString& mode = QStringLiteral("normal"),
                      const QStringList& options = {});

    // What the modem received, byte for byte.
    QByteArray transcript() const;
    // The SMS the simulator accepted, one "number<TAB>text" a line.
    QStringList accepted();
    void stopModem() { modem_.reset(); }

    SerialLine portA{QStringLiteral("port A")};
    EventLog log;
    QString status;
    SmsModem modem;

private:
    QString transcriptPath_;
    std::unique_ptr<Process> modem_;
};

} // namespace orva::test
