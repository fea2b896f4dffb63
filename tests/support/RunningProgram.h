#pragma once

#include "ModemSimulator.h"
#include "TestHome.h"
#include "app/Orva.h"
#include "pty/PseudoTerminal.h"

#include <memory>
#include <optional>

namespace orva::test {

// What a running program meets: the modem simulator on COM1, an alarm line the test drives on
// COM2, and settings.ini for both with the handphone number 91234567.
class SimulatedDevices {
public:
    explicit SimulatedDevices(const TestHome& home, const QString& lengthB = QStringLiteral("1"),
                              const QStringList& modemOptions = {},
                              const QString& moreSettings = {});

    // Sends a burst on the alarm line.
    void sendBurst(const QString& text) const;
    // The alarm source goes away, its link with it, and comes back.
    void unplugAlarms() { alarms_.reset(); }
    void plugInAlarms();

    ModemSimulator modem;

private:
    std::string alarmLink_;
    std::unique_ptr<tools::PseudoTerminal> alarms_;
};

// The whole program in this process, started on the simulated devices with short waits; the
// scan keeps the program's period unless a test asks for a shorter one. Ending the process is
// only noted.
class RunningProgram {
public:
    static constexpr std::chrono::milliseconds kModemWait{60};
    static constexpr std::chrono::milliseconds kSettleWait{100};
    static constexpr std::chrono::milliseconds kShortScanPeriod{100};

    explicit RunningProgram(const TestHome& home, const QString& moreSettings = {},
                            Clock clock = {},
                            std::chrono::milliseconds scanPeriod = Timing{}.scanPeriod);

    Orva& program() { return *program_; }
    MainWindow& mainWindow() { return program_->mainWindow(); }
    std::optional<int> exitStatus() const { return exitStatus_; }

    SimulatedDevices devices;

private:
    std::optional<int> exitStatus_;
    std::unique_ptr<Orva> program_;
};

} // namespace orva::test
