#include "PathWatch.h"

#include "WatchMessages.h"
#include "common/Failure.h"
#include "common/TimeOfDay.h"
#include "messaging/ModemQuestions.h"
#include "serial/SerialLine.h"
#include "system/Platform.h"

#include <algorithm>

namespace orva {
namespace {

// How long a check of the modem may hold up the scan.
constexpr std::chrono::milliseconds kCheckBound = std::chrono::seconds(3);
// How often a message that failed goes again when the modem is not checked.
constexpr std::chrono::milliseconds kRetryWithoutChecks = std::chrono::minutes(15);

qint64 milliseconds(double count, double unitMs)
{
    return static_cast<qint64>(std::min(count * unitMs, 9.0e18));
}

} // namespace

PathWatch::PathWatch(SerialLine& modemPort, const SerialLine& alarmPort, Record record, Send send,
                     Clock clock)
    : modemPort_(modemPort)
    , alarmPort_(alarmPort)
    , record_(std::move(record))
    , send_(std::move(send))
    , clock_(std::move(clock))
{
}

void PathWatch::start(const WatchSettings& settings, const QString& handphone,
                      const PreviousRun& previous)
{
    settings_ = settings;
    handphone_ = handphone;
    sinceCheck_.start();
    tallySince_ = clock_.now();
    started_ = tallySince_;
    lastLook_ = tallySince_;
    if (settings.modemCheckMinutes && previous.openEpisode)
        episode_.resume(*previous.openEpisode);
    if (settings.any() && previous.uncleanEnd) {
        uncleanEnd_ = previous.uncleanEnd;
        queue(Message::Restarted);
    }
    if (settings.testSmsAt)
        nextTest_ = nextTimeOfDay(tallySince_, *settings.testSmsAt);
    received_ = alarmPort_.receivedCount();
    sinceByte_.start();
}

void PathWatch::afterScan()
{
    if (settings_.silenceHours)
        watchSilence();
    if (dailyTestDue())
        prepareDailyTest();
    else if (!outbox_.empty() && (!outboxHeld_ || retryDue()))
        sendNext();
    else if (modemCheckDue())
        checkModem();
}

qint64 PathWatch::checkIntervalMs() const
{
    return milliseconds(settings_.modemCheckMinutes.value_or(0), 60e3);
}

bool PathWatch::modemCheckDue() const
{
    return settings_.modemCheckMinutes &&
           (stateOfMessageDue_ || sinceCheck_.elapsed() >= checkIntervalMs());
}

// A clock put back (corrected after running fast, say) brings the test time back with it, but
// never to a second test on the day of the latest.
bool PathWatch::dailyTestDue()
{
    if (!nextTest_)
        return false;
    const QDateTime now = clock_.now();
    if (now < std::exchange(lastLook_, now))
        nextTest_ = nextTimeOfDay(now, *settings_.testSmsAt, testedOn_);
    return now >= *nextTest_;
}

bool PathWatch::retryDue() const
{
    return sinceAttempt_.elapsed() >=
           (settings_.modemCheckMinutes ? checkIntervalMs() : kRetryWithoutChecks.count());
}

// A modem that confirmed a message can send in the state a check found right after it, whatever
// the rules make of its answers; a modem that comes back after its port failed may be another.
void PathWatch::checkModem()
{
    sinceCheck_.start();
    const bool afterMessage = std::exchange(stateOfMessageDue_, false);
    std::optional<ModemFault> fault;
    try {
        modemPort_.reopenIfFailed();
        const ModemHealth health = askModemHealth(modemPort_, QDeadlineTimer(kCheckBound));
        signal_ = signalLevel(health);
        const auto state = modemState(health);
        if (afterMessage && state)
            sentIn_ = state;
        if (const auto trouble = modemTrouble(health); trouble && (!state || state != sentIn_))
            fault = ModemFault{*trouble};
    } catch (const Failure& failure) {
        signal_.reset();
        sentIn_.reset();
        fault = modemFault({SmsOutcome::Kind::PortFailure, failure.message()});
    }
    if (fault)
        modemFailed(*fault);
    else
        modemServed(false);
}

// The test goes out at the first moment after its time with no scan cycle running; a day on
// which ORVA did not run then is not caught up. Its signal is a check's made just before.
void PathWatch::prepareDailyTest()
{
    checkModem();
    queue(Message::DailyTest);
    testedOn_ = nextTest_->date();
    nextTest_ = nextTimeOfDay(clock_.now(), *settings_.testSmsAt, testedOn_);
}

void PathWatch::watchSilence()
{
    const quint64 received = alarmPort_.receivedCount();
    if (received != received_) {
        received_ = received;
        if (std::exchange(silent_, false))
            portActive(sinceByte_.elapsed() / 3600e3);
        sinceByte_.start();
        return;
    }
    if (silent_ || sinceByte_.elapsed() < milliseconds(*settings_.silenceHours, 3600e3))
        return;
    silent_ = true;
    record_(silenceEntry(*settings_.silenceHours), Severity::Warning);
    queue(Message::Silence);
}

// An alert still waiting is stale now; one that went is followed by the news that it is over.
void PathWatch::portActive(double silentHours)
{
    record_(kAlarmPortActive, Severity::Info);
    if (std::erase(outbox_, Message::Silence) == 0 && std::exchange(silenceTold_, false)) {
        silentHours_ = silentHours;
        queue(Message::PortActive);
    }
}

void PathWatch::transactionEnded(const SmsOutcome& outcome, bool liveAlarm)
{
    if (liveAlarm)
        tally_.count(outcome);
    if (const auto fault = modemFault(outcome))
        modemFailed(*fault);
    else if (outcome.kind == SmsOutcome::Kind::Sent)
        messageConfirmed();
    if (liveAlarm && outcome.kind != SmsOutcome::Kind::Sent)
        episode_.alarmNotSent();
}

// Only a watched modem has episodes.
void PathWatch::modemFailed(const ModemFault& fault)
{
    if (!settings_.modemCheckMinutes)
        return;
    if (const auto entry = episode_.failed(fault, clock_.now()))
        record_(*entry, Severity::Warning);
}

// The next check, due at once, finds the state the modem sent in.
void PathWatch::messageConfirmed()
{
    stateOfMessageDue_ = true;
    modemServed(true);
}

void PathWatch::modemServed(bool messageSent)
{
    if (settings_.modemCheckMinutes) {
        if (const auto ending = episode_.succeeded(clock_.now(), messageSent)) {
            record_(kModemRestored, Severity::Info);
            untold_ = untold_ ? joined(*untold_, *ending) : *ending;
            queue(Message::Restored);
        }
    }
    if (!episode_.ongoing())
        outboxHeld_ = false;
}

void PathWatch::queue(Message message)
{
    if (std::ranges::find(outbox_, message) == outbox_.end())
        outbox_.push_back(message);
}

QString PathWatch::text(Message message) const
{
    const QString computer = platform::computerName();
    switch (message) {
    case Message::Restarted:
        return restartedSms(computer, started_, *uncleanEnd_);
    case Message::Restored:
        return restoredSms(computer, *untold_);
    case Message::DailyTest:
        return testSms(computer, tally_, tallySince_, signal_);
    case Message::PortActive:
        return portActiveSms(computer, silentHours_);
    case Message::Silence:
        break;
    }
    return silenceSms(computer, *settings_.silenceHours);
}

// A message that did not go stays in front, so that what it tells is not lost; one to a number
// that can never take it is dropped, its entry logged.
void PathWatch::sendNext()
{
    const Message message = outbox_.front();
    const QDateTime written = clock_.now();
    sinceAttempt_.start();
    const SmsOutcome outcome = send_(handphone_, text(message));
    if (outcome.kind == SmsOutcome::Kind::Sent || outcome.kind == SmsOutcome::Kind::InvalidNumber) {
        outbox_.pop_front();
        told(message, written);
    } else {
        outboxHeld_ = true;
    }
    transactionEnded(outcome, false);
}

// What a message told is not told again; the next test counts from when this one was written.
void PathWatch::told(Message message, const QDateTime& written)
{
    if (message == Message::Restored)
        untold_.reset();
    if (message == Message::Silence)
        silenceTold_ = true;
    if (message == Message::DailyTest) {
        tally_ = {};
        tallySince_ = written;
    }
}

void PathWatch::sendPendingNow()
{
    for (const Message message : std::exchange(outbox_, {}))
        send_(handphone_, text(message));
}

} // namespace orva
