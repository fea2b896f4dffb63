#include "ModemSimulator.h"

#include <QDeadlineTimer>
#include <QFile>
#include <csignal>

namespace orva::test {

ModemSimulator::ModemSimulator(const TestHome& home, const QStringList& options)
    : transcriptPath_(home.path() + QStringLiteral("/modem.transcript"))
    , controlPath_(home.path() + QStringLiteral("/modem.control"))
{
    // A later --reply-delay among the options wins over this one.
    arguments_ = QStringList{QStringLiteral("--link"),        home.linkPath(1),
                             QStringLiteral("--transcript"),  transcriptPath_,
                             QStringLiteral("--control"),     controlPath_,
                             QStringLiteral("--reply-delay"), QStringLiteral("20")}
                 << options;
    plugIn();
}

void ModemSimulator::plugIn()
{
    process_ =
        std::make_unique<Process>(binary(QStringLiteral("orva-modem-simulator")), arguments_);
    if (!process_->waitForError(QStringLiteral("ready")))
        qFatal("the modem simulator did not start");
}

void ModemSimulator::actOut(const QString& mode, const QString& trouble)
{
    const QString acting = QStringLiteral("acting out mode=%1 trouble=%2").arg(mode, trouble);
    QFile control(controlPath_);
    if (!control.open(QIODevice::WriteOnly) ||
        control.write(QStringLiteral("mode=%1 trouble=%2").arg(mode, trouble).toLatin1()) < 0)
        qFatal("cannot write the modem's control file");
    control.close();
    const int before = process_->standardError().count(acting);
    process_->signal(SIGUSR1);
    QDeadlineTimer deadline(5000);
    while (process_->standardError().count(acting) == before && !deadline.hasExpired())
        process_->process().waitForReadyRead(50);
    if (process_->standardError().count(acting) == before)
        qFatal("the modem simulator did not take its new part");
}

QByteArray ModemSimulator::transcript() const
{
    return readFile(transcriptPath_);
}

QStringList ModemSimulator::accepted()
{
    return process_ ? process_->standardOutput().split(u'\n', Qt::SkipEmptyParts) : QStringList();
}

bool ModemSimulator::accepted(const QString& number, const QString& text)
{
    return accepted().contains(number + u'\t' + text);
}

} // namespace orva::test
