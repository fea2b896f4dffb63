#include "ModemQuestions.h"

#include "ModemReply.h"
#include "ModemStatus.h"
#include "serial/SerialLine.h"
#include "system/ServiceManager.h"

#include <algorithm>
#include <chrono>
#include <thread>

namespace orva {
namespace {

constexpr std::chrono::milliseconds kPoll{50};
// A question begun closer to its deadline would most likely be answered after it, where the
// answer could meet the next transaction.
constexpr std::chrono::milliseconds kAnswerTime{500};

bool prompted(QStringView reply)
{
    return judgeCommandReply(reply).verdict == ModemVerdict::Prompted;
}

// What the modem says until a final result or a prompt comes, or the deadline passes.
QString awaitAnswer(SerialLine& port, const QDeadlineTimer& deadline)
{
    QString reply;
    while (!deadline.hasExpired() && !finalResult(reply) && !prompted(reply)) {
        std::this_thread::sleep_for(
            std::min<std::chrono::nanoseconds>(kPoll, deadline.remainingTimeAsDuration()));
        service::keepAlive();
        reply += port.takeReceived();
    }
    return reply;
}

// A message open for text is cancelled; the modem's reply is dropped.
void closeMessage(SerialLine& port, const QDeadlineTimer& replyDeadline)
{
    port.write(QString(kEscape));
    (void)awaitAnswer(port, replyDeadline);
}

std::chrono::milliseconds leftOf(const QDeadlineTimer& deadline)
{
    return std::chrono::duration_cast<std::chrono::milliseconds>(
        deadline.remainingTimeAsDuration());
}

} // namespace

void takeLeftovers(SerialLine& port, std::chrono::milliseconds replyWait)
{
    if (prompted(port.takeReceived()))
        closeMessage(port, QDeadlineTimer(replyWait));
}

// A prompt that cuts in (one that came late for a message ORVA gave up) is closed, and the
// question asked once more, so that it is not typed into a message.
std::optional<QString> askModem(SerialLine& port, const QString& command,
                                const QDeadlineTimer& deadline)
{
    for (int asked = 0; asked < 2 && leftOf(deadline) >= kAnswerTime; ++asked) {
        takeLeftovers(port, std::min(kAnswerTime, leftOf(deadline)));
        if (leftOf(deadline) < kAnswerTime)
            break;
        port.write(command + u'\r');
        const QString reply = awaitAnswer(port, deadline);
        if (!prompted(reply))
            return finalResult(reply) ? std::optional(reply) : std::nullopt;
        closeMessage(port, QDeadlineTimer(std::min(kAnswerTime, leftOf(deadline))));
    }
    return std::nullopt;
}

ModemHealth askModemHealth(SerialLine& port, const QDeadlineTimer& deadline)
{
    ModemHealth health;
    for (const ModemQuestion& question : kModemQuestions) {
        health.*question.answer = askModem(port, QLatin1String(question.command), deadline);
        if (!health.at)
            break;
    }
    return health;
}

} // namespace orva
