#include "ModemQuestions.h"

#include "ModemStatus.h"
#include "common/ServiceManager.h"
#include "serial/SerialLine.h"

#include <chrono>
#include <thread>

namespace orva {
namespace {

constexpr std::chrono::milliseconds kPoll{50};

} // namespace

std::optional<QString> askModem(SerialLine& port, const QString& command,
                                const QDeadlineTimer& deadline)
{
    if (deadline.hasExpired()) // a late question's answer could meet the next transaction
        return std::nullopt;
    port.takeReceived();
    port.write(command + u'\r');
    QString reply;
    while (!deadline.hasExpired()) {
        std::this_thread::sleep_for(kPoll);
        service::keepAlive();
        reply += port.takeReceived();
        if (finalResult(reply))
            return reply;
    }
    return std::nullopt;
}

ModemHealth askModemHealth(SerialLine& port, const QDeadlineTimer& deadline)
{
    ModemHealth health;
    for (const ModemQuestion& question : kHealthQuestions) {
        health.*question.answer = askModem(port, QLatin1String(question.command), deadline);
        if (!health.at)
            break;
    }
    return health;
}

} // namespace orva
