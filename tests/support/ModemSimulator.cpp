#include "ModemSimulator.h"

namespace orva::test {

ModemSimulator::ModemSimulator(const TestHome& home, const QStringList& options)
    : transcriptPath_(home.path() + QStringLiteral("/modem.transcript"))
{
    // A later --reply-delay among the options wins over this one.
    arguments_ = QStringList{QStringLiteral("--link"),        home.linkPath(1),
                             QStringLiteral("--transcript"),  transcriptPath_,
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
