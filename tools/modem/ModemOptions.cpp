#include "ModemOptions.h"

#include "ModemTroubles.h"
#include "app/CommandLine.h"

namespace orva::tools {

const QStringList kModemModes{"normal",      "silent",      "error",     "cms-error",
                              "bare-prompt", "slow-prompt", "no-confirm"};

std::variant<ModemOptions, int> parseModemOptions(int argc, char** argv)
{
    orva::CommandLine commandLine(
        QStringLiteral("orva-modem-simulator"),
        QStringLiteral("A GSM modem on a pseudo-terminal, for rehearsing ORVA without hardware."),
        argc, argv);
    QCommandLineParser& parser = commandLine.parser();
    const QCommandLineOption link(QStringLiteral("link"),
                                  QStringLiteral("Where to link the line's far end (required)."),
                                  QStringLiteral("path"));
    const QCommandLineOption mode(
        QStringLiteral("mode"),
        QStringLiteral("How the modem answers messages: %1.").arg(kModemModes.join(u", ")),
        QStringLiteral("mode"), QStringLiteral("normal"));
    const QCommandLineOption trouble(
        QStringLiteral("trouble"),
        QStringLiteral("A trouble to act out: %1.").arg(kModemTroubles.join(u", ")),
        QStringLiteral("trouble"), QStringLiteral("none"));
    const QCommandLineOption noEcho(QStringLiteral("no-echo"),
                                    QStringLiteral("Do not echo what is written to the modem."));
    const QCommandLineOption replyDelay(QStringLiteral("reply-delay"),
                                        QStringLiteral("Delay of the answer to a message."),
                                        QStringLiteral("ms"), QStringLiteral("300"));
    const QCommandLineOption promptDelay(QStringLiteral("prompt-delay"),
                                         QStringLiteral("Delay of the prompt in slow-prompt mode."),
                                         QStringLiteral("ms"), QStringLiteral("2000"));
    const QCommandLineOption byteGap(QStringLiteral("byte-gap"),
                                     QStringLiteral("Pause between the bytes of an answer."),
                                     QStringLiteral("ms"), QStringLiteral("0"));
    const QCommandLineOption transcript(QStringLiteral("transcript"),
                                        QStringLiteral("File that records every byte received."),
                                        QStringLiteral("file"));
    const QCommandLineOption control(
        QStringLiteral("control"),
        QStringLiteral("File read at every SIGUSR1: words mode=<mode> and trouble=<trouble> to "
                       "act out from then on."),
        QStringLiteral("file"));
    parser.addOptions(
        {link, mode, trouble, noEcho, replyDelay, promptDelay, byteGap, transcript, control});
    if (const auto status = commandLine.parse())
        return *status;
    if (!parser.isSet(link))
        return commandLine.refuse(QStringLiteral("--link is required"));
    ModemOptions options;
    try {
        options.link = parser.value(link).toStdString();
        options.mode = commandLine.oneOf(mode, kModemModes).toStdString();
        options.trouble = commandLine.oneOf(trouble, kModemTroubles).toStdString();
        options.echo = !parser.isSet(noEcho);
        options.replyDelay = commandLine.milliseconds(replyDelay);
        options.promptDelay = commandLine.milliseconds(promptDelay);
        options.byteGap = commandLine.milliseconds(byteGap);
        options.transcript = parser.value(transcript).toStdString();
        options.control = parser.value(control).toStdString();
    } catch (const orva::UsageError& error) {
        return commandLine.refuse(QString::fromStdString(error.what()));
    }
    return options;
}

} // namespace orva::tools
