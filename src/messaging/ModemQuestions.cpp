#include "ModemQuestions.h"

#include "ModemStatus.h"
#include "common/ServiceManager.h"
#include "serial/SerialLine.h"

#include <chrono>
#include <thread>

namespace orva {
namespace {

constexpr std::chrono::milliseconds kPoll{50};
// A question begun closer to its deadline would most likely be answered after it, where the
// answer could meet the next transaction.
constexpr std::chrono::milliseconds kAnswerTime{500};

} // namespace

std::optional<QString> askModem(SerialLine& port, const QString& command,
                                const QDeadlineTimer& deadline)
{
    if (deadline.remainingTimeAsDuration() < kAnswerTime)
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
