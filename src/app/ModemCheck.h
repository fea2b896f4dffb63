#pragma once

#include "Timing.h"

#include <QString>
#include <functional>
#include <optional>

namespace orva {

class SerialLine;
class SettingsStore;

// The operator's check of a newly wired modem: reads settings.ini and checks the alarm
// threshold and the watches between alarms as start-up does, says what each watch does, opens
// port A and asks the modem for its SIM, signal, network and text mode, and opens port B and
// listens on it a moment, unless the modem does not answer at all. It says one finding a line,
// the verdict last, and decides the exit status. It never sends an SMS and writes nothing to the
// event log.
class ModemCheck {
public:
    using Say = std::function<void(const QString& finding)>;

    explicit ModemCheck(Say say, Timing timing = {});

    // 0 when the modem is ready to send and ORVA would start with these settings (settings.ini
    // read, the alarm threshold reachable, the watches readable, port B opened); 1 otherwise,
    // with the first reason on the last line. A port B that fails once open is said, but is no
    // reason.
    [[nodiscard]] int run();

private:
    bool checkModem(const SettingsStore& store);
    void checkAlarmPort(const SettingsStore& store);
    bool openPort(SerialLine& line, const SettingsStore& store, int slot);
    std::optional<QString> ask(SerialLine& line, const QString& command);
    bool notReady(const QString& reason);
    void findOut(const std::function<void()>& step);

    Say say_;
    Timing timing_;
    QString reason_;
    bool silent_ = false; // a modem that does not answer AT ends the check
};

} // namespace orva
