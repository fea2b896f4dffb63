#include "RunningProgram.h"

#include <QFile>

namespace orva::test {

RunningProgram::RunningProgram(const TestHome& home, const QString& moreSettings)
    : transcriptPath_(home.path() + QStringLiteral("/modem.transcript"))
    , modem_(std::make_unique<Process>(
          binary(QStringLiteral("orva-modem-simulator")),
          modemArguments(home.linkPath(1), QStringLiteral("normal"), transcriptPath_)
              << QStringLiteral("--reply-delay") << QStringLiteral("20")))
    , alarms_(home.linkPath(2).toStdString())
{
    if (!modem_->waitForError(QStringLiteral("ready")))
        qFatal("the modem simulator did not start");
    home.writeWorkingSettings(QStringLiteral("91234567"), QStringLiteral("1"), moreSettings);
    program_ = std::make_unique<Orva>([this](int status) { exitStatus_ = status; },
                                      Timing{kModemWait, kSettleWait});
    program_->startUp();
    if (exitStatus_)
        qFatal("the program did not start");
}

void RunningProgram::sendBurst(const QString& text) const
{
    alarms_.write(text.toLatin1().toStdString());
}

QByteArray RunningProgram::transcript() const
{
    QFile file(transcriptPath_);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

} // namespace orva::test
