#pragma once

#include "ChildProcess.h"
#include "TestHome.h"
#include "app/Orva.h"
#include "pty/PseudoTerminal.h"

#include <memory>
#include <optional>

namespace orva::test {

// The whole program in this process, started on the modem simulator (COM1) and an alarm
// line the test drives (COM2), with short waits. Ending the process is only noted.
class RunningProgram {
public:
    static constexpr std::chrono::milliseconds kModemWait{60};
    static constexpr std::chrono::milliseconds kSettleWait{100};

    explicit RunningProgram(const TestHome& home, const QString& moreSettings = {});

    Orva& program() { return *program_; }
    Form1& mainWindow() { return program_->mainWindow(); }
    // Sends a burst on the alarm line.
    void sendBurst(const QString& text) const;
    // What the modem received, and the SMS it accepted as "number<TAB>text" lines.
    QByteArray transcript() const;
    QStringList accepted() { return modem_->standardOutput().split(u'\n', Qt::SkipEmptyParts); }
    void stopModem() { modem_.reset(); }
    std::optional<int> exitStatus() const { return exitStatus_; }

private:
    QString transcriptPath_;
    std::unique_ptr<Process> modem_;
    tools::PseudoTerminal alarms_;
    std::optional<int> exitStatus_;
    std::unique_ptr<Orva> program_;
};

} // namespace orva::test
