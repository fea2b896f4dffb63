// Takes the pictures of ORVA's three windows shown in the README: the program runs
// in-process, offscreen, on the modem simulator and an alarm line fed one demo burst.
//
// usage: QT_QPA_PLATFORM=offscreen orva-screenshots OUTPUT_FOLDER

#include "app/Orva.h"
#include "config/SettingsFile.h"
#include "pty/PseudoTerminal.h"

#include <QApplication>
#include <QDeadlineTimer>
#include <QDir>
#include <QLineEdit>
#include <QProcess>
#include <QTemporaryDir>
#include <cstdio>

namespace {

bool waitUntil(const std::function<bool()>& done, int timeoutMs)
{
    const QDeadlineTimer deadline(timeoutMs);
    while (!done() && !deadline.hasExpired())
        QCoreApplication::processEvents(QEventLoop::AllEvents, 50);
    return done();
}

bool save(QWidget& window, const QString& path)
{
    const bool saved = window.grab().save(path);
    std::printf("%s %s\n", saved ? "saved" : "could not save", qPrintable(path));
    return saved;
}

} // namespace

int main(int argc, char* argv[])
{
    QApplication application(argc, argv);
    if (argc != 2) {
        std::fprintf(stderr, "usage: orva-screenshots OUTPUT_FOLDER\n");
        return 2;
    }
    const QDir output(QString::fromLocal8Bit(argv[1]));
    QTemporaryDir home;
    QDir(home.path()).mkdir(QStringLiteral("ORVA"));
    qputenv("HOME", home.path().toLocal8Bit());
    const QString data = home.path() + QStringLiteral("/ORVA");
    QFile settings(orva::settingsFilePath());
    if (!settings.open(QIODevice::WriteOnly))
        return 1;
    settings.write("PORT A:1\r\nSETTINGS A:9600,n,8,1\r\nLENGTH A:0\r\nPORT B:2\r\n"
                   "SETTINGS B:9600,n,8,1\r\nLENGTH B:10\r\nHP:91234567\r\n");
    settings.close();

    QProcess modem;
    modem.start(QCoreApplication::applicationDirPath() + QStringLiteral("/orva-modem-simulator"),
                {QStringLiteral("--link"), data + QStringLiteral("/COM1")});
    modem.waitForReadyRead(5000);
    const orva::tools::PseudoTerminal alarms((data + QStringLiteral("/COM2")).toStdString());

    orva::Orva program([](int) {}, orva::Timing{.settleWait = std::chrono::seconds(2)});
    program.startUp();
    program.mainWindow().show();
    alarms.write(".ZONE 12  FIRE ALARM    BLDG A LEVEL 3 CORRIDOR               ALM  07:41:09\r\n"
                 ".ZONE 12  FIRE ALARM    BLDG A LEVEL 3 CORRIDOR               OK   07:43:55\r\n"
                 "PRINTER 1 PAPER LOW\r\n");
    const bool sent = waitUntil(
        [&] { return program.mainWindow().line(0).endsWith(QStringLiteral("91234567")); }, 20000);

    bool saved = save(program.mainWindow(), output.filePath(QStringLiteral("main-window.png")));
    program.showSettings();
    saved =
        save(program.settingsWindow(), output.filePath(QStringLiteral("settings-window.png"))) &&
        saved;
    program.showManualSms();
    program.manualSmsWindow()
        ->findChild<QLineEdit*>(QStringLiteral("ManualNo"))
        ->setText(QStringLiteral("91234567"));
    program.manualSmsWindow()
        ->findChild<QLineEdit*>(QStringLiteral("ManualMsg"))
        ->setText(QStringLiteral("Test message from the control room"));
    saved = save(*program.manualSmsWindow(),
                 output.filePath(QStringLiteral("manual-sms-window.png"))) &&
            saved;
    modem.terminate();
    modem.waitForFinished();
    return sent && saved ? 0 : 1;
}
