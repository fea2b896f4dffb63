#include "RunningProgram.h"

namespace orva::test {

SimulatedDevices::SimulatedDevices(const TestHome& home, const QString& lengthB,
                                   const QStringList& modemOptions, const QString& moreSettings)
    : modem(home, modemOptions)
    , alarmLink_(home.linkPath(2).toStdString())
    , alarms_(std::make_unique<tools::PseudoTerminal>(alarmLink_))
{
    home.writeWorkingSettings(QStringLiteral("91234567"), lengthB, moreSettings);
}

void SimulatedDevices::sendBurst(const QString& text) const
{
    alarms_->write(text.toLatin1().toStdString());
}

void SimulatedDevices::plugInAlarms()
{
    alarms_ = std::make_unique<tools::PseudoTerminal>(alarmLink_);
}

RunningProgram::RunningProgram(const TestHome& home, const QString& moreSettings, Clock clock,
                               std::chrono::milliseconds scanPeriod)
    : devices(home, QStringLiteral("1"), {}, moreSettings)
    , program_(std::make_unique<Orva>([this](int status) { exitStatus_ = status; },
                                      Timing{.modemWaitUnit = kModemWait,
                                             .settleWait = kSettleWait,
                                             .scanPeriod = scanPeriod,
                                             .clock = std::move(clock)}))
{
    program_->startUp();
    if (exitStatus_)
        qFatal("the program did not start");
}

} // namespace orva::test
