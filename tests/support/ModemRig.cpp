#include "ModemRig.h"

#include <QFile>
#include <QtTest>

namespace orva::test {

ModemRig::ModemRig(const TestHome& home, const QString& mode, const QStringList& options)
    : log(home.dataFolder())
    , modem(portA, log, [this](const QString& text) { status = text; })
    , transcriptPath_(home.path() + QStringLiteral("/modem.transcript"))
{
    QStringList arguments = modemArguments(home.linkPath(1), mode, transcriptPath_);
    arguments << QStringLiteral("--reply-delay") << QStringLiteral("20") << options;
    modem_ = std::make_unique<Process>(binary(QStringLiteral("orva-modem-simulator")), arguments);
    if (!modem_->waitForError(QStringLiteral("ready")))
        qFatal("the modem simulator did not start");
    portA.setSettings(QStringLiteral("9600,n,8,1"));
    portA.setCommPort(1);
    portA.setPortOpen(true);
    modem.ModemWaitMs = kWaitUnit;
}

QByteArray ModemRig::transcript() const
{
    QFile file(transcriptPath_);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

QStringList ModemRig::accepted()
{
    return modem_->standardOutput().split(u'\n', Qt::SkipEmptyParts);
}

} // namespace orva::test
