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

bool prompted(QStringView reply)
{
    return judgeCommandReply(reply).verdict == ModemVerdict::Prompted;
}

// What the modem says until a final result or a prompt comes, or the deadline passes.
QString awaitAnswer(SerialLine& port, const QDeadlineTimer& deadline,
                    std::chrono::milliseconds poll)
{
    QString reply;
    while (!deadline.hasExpired() && !finalResult(reply) && !prompted(reply)) {
        std::this_thread::sleep_for(
            std::min<std::chrono::nanoseconds>(poll, deadline.remainingTimeAsDuration()));
        service::keepAlive();
        reply += port.takeReceived();
    }
    return reply;
}

// A message open for text is cancelled; the modem's reply is dropped.
void closeMessage(SerialLine& port, const QDeadlineTimer& replyDeadline,
                  std::chrono::milliseconds poll)
{
    port.write(QString(kEscape));
    (void)awaitAnswer(port, replyDeadline, poll);
}

std::chrono::milliseconds leftOf(const QDeadlineTimer& deadline)
{
    return std::chrono::duration_cast<std::chrono::milliseconds>(
        deadline.remainingTimeAsDuration());
}

} // namespace

void takeLeftovers(SerialLine& port, std::chrono::milliseconds replyWait,
                   std::chrono::milliseconds poll)
{
    if (prompted(port.takeReceived()))
        closeMessage(port, QDeadlineTimer(replyWait), poll);
}

// A prompt that cuts in (one that came late for a message ORVA gave up) is closed, and the
// question asked once more, so that it is not typed into a message. A question begun closer to
// its deadline than its answer time would most likely be answered after it, where the answer
// could meet the next transaction.
std::optional<QString> askModem(SerialLine& port, const QString& command,
                                const QDeadlineTimer& deadline, const QuestionPace& pace)
{
    for (int asked = 0; asked < 2 && leftOf(deadline) >= pace.answerTime; ++asked) {
        takeLeftovers(port, std::min(pace.answerTime, leftOf(deadline)), pace.poll);
        if (leftOf(deadline) < pace.answerTime)
            break;
        port.write(command + u'\r');
        const QString reply = awaitAnswer(port, deadline, pace.poll);
        if (!prompted(reply))
            return finalResult(reply) ? std::optional(reply) : std::nullopt;
        closeMessage(port, QDeadlineTimer(std::min(pace.answerTime, leftOf(deadline))), pace.poll);
    }
    return std::nullopt;
}

ModemHealth askModemHealth(SerialLine& port, const QDeadlineTimer& deadline,
                           const QuestionPace& pace)
{
    ModemHealth health;
    for (const ModemQuestion& question : kModemQuestions) {
        health.*question.answer = askModem(port, QLatin1String(question.command), deadline, pace);
        if (!health.at)
            break;
    }
    return health;
}

} // namespace orva
