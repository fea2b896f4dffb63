#include "ModemRig.h"

#include "LineOnPty.h"

namespace orva::test {

ModemRig::ModemRig(const TestHome& home, const QStringList& modemOptions)
    : simulator(home, modemOptions)
    , portA(openLine(1, QStringLiteral("port A")))
    , log(home.dataFolder())
    , modem(*portA, log, [this](const QString& text) { status = text; })
{
    modem.transaction().ModemWaitMs = kWaitUnit;
}

} // namespace orva::test
