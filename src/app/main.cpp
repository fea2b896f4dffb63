#include "CommandLine.h"
#include "app/ModemCheck.h"
#include "app/Orva.h"
#include "system/Platform.h"

#include <QApplication>
#include <QIcon>
#include <cstdio>
#include <cstdlib>

namespace {

const QString kDesktopFileName = QStringLiteral("org.orvaproject.orva");

// The process ends at once: no window's own closing step runs. The program has closed its
// serial lines just before.
[[noreturn]] void endProcessNow(int exitStatus)
{
    std::fflush(nullptr);
    std::_Exit(exitStatus);
}

int checkModem(int argc, char* argv[])
{
    const QCoreApplication application(argc, argv);
    orva::ModemCheck check([](const QString& finding) {
        std::printf("%s\n", finding.toLocal8Bit().constData());
        std::fflush(stdout);
    });
    return check.run();
}

int runProgram(int argc, char* argv[])
{
    orva::platform::neverWaitOnStandardError();
    QApplication application(argc, argv);
    QApplication::setApplicationName(QStringLiteral("ORVA"));
    QApplication::setDesktopFileName(kDesktopFileName);
    QApplication::setWindowIcon(QIcon(QStringLiteral(":/orva.png")));
    orva::Orva program(endProcessNow);
    program.startUp();
    program.mainWindow().show();
    QApplication::exec(); // ORVA ends the process itself; a loop that returns was ended for it
    program.endForced();
    return 1;
}

} // namespace

// Configured by settings.ini alone; the options only print, or check the modem.
int main(int argc, char* argv[])
{
    orva::CommandLine commandLine(
        QStringLiteral("orva"),
        QStringLiteral("Unattended alarm notifier: sends the live alarms that arrive on the alarm "
                       "port as SMS through a GSM modem. Configured by ~/ORVA/settings.ini.\n"
                       "Qt's standard options, such as -platform or -session, are taken too "
                       "(see qt6options(7))."),
        argc, argv);
    commandLine.acceptQtOptions();
    const QCommandLineOption check(
        QStringLiteral("check"),
        QStringLiteral("Check the modem and the alarm port as settings.ini configures them, and "
                       "end: 0 when the modem is ready to send and ORVA would start with "
                       "settings.ini. Sends nothing, logs nothing."));
    commandLine.parser().addOption(check);
    if (const auto status = commandLine.parse())
        return *status;
    if (commandLine.parser().isSet(check))
        return checkModem(argc, argv);
    return runProgram(argc, argv);
}
