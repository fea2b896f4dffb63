#include "PathWatch.h"

#include "common/Failure.h"
#include "common/Platform.h"
#include "common/TimeOfDay.h"
#include "messaging/ModemQuestions.h"
#include "messaging/WatchMessages.h"
#include "serial/SerialLine.h"

namespace orva {
namespace {

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

void PathWatch::start(const WatchSettings& settings, const QString& handphone)
{
    settings_ = settings;
    handphone_ = handphone;
    sinceCheck_.start();
    tallySince_ = clock_();
    if (settings.testSmsAt)
        nextTest_ = nextTimeOfDay(tallySince_, *settings.testSmsAt);
    received_ = alarmPort_.receivedCount();
    sinceByte_.start();
}

void PathWatch::betweenCycles()
{
    if (settings_.silenceHours)
        watchSilence();
    if (dailyTestDue()) {
        prepareDailyTest();
    } else if (!outbox_.empty() && (!outboxHeld_ || modemCheckDue())) {
        sinceCheck_.start(); // a message tries the modem more fully than a check
        sendNext();
    } else if (modemCheckDue()) {
        checkModem();
    }
}

bool PathWatch::modemCheckDue() const
{
    return settings_.modemCheckMinutes &&
           sinceCheck_.elapsed() >= milliseconds(*settings_.modemCheckMinutes, 60e3);
}

bool PathWatch::dailyTestDue() const
{
    return nextTest_ && clock_() >= *nextTest_;
}

void PathWatch::checkModem()
{
    sinceCheck_.start();
    std::optional<ModemFault> fault;
    try {
        modemPort_.reopenIfFailed();
        const ModemHealth health = askModemHealth(modemPort_, QDeadlineTimer(checkBound));
        signalDbm_ = signalDbm(health.signal.value_or(QString()));
        if (const auto trouble = modemTrouble(health))
            fault = ModemFault{*trouble};
    } catch (const Failure& failure) {
        signalDbm_.reset();
        fault = modemFault({SmsOutcome::Kind::PortFailure, failure.message()});
    }
    if (fault)
        modemFailed(*fault);
    else
        modemServed(false);
}

// The test goes out at the first moment after its time with no scan cycle running; a day on
// which ORVA did not run then is not caught up.
void PathWatch::prepareDailyTest()
{
    checkModem();
    const QDateTime now = clock_();
    outbox_.push_back(
        testSms(platform::computerName(), std::exchange(tally_, {}), tallySince_, signalDbm_));
    tallySince_ = now;
    nextTest_ = nextTimeOfDay(now, *settings_.testSmsAt);
}

void PathWatch::watchSilence()
{
    const quint64 received = alarmPort_.receivedCount();
    if (received != received_) {
        received_ = received;
        sinceByte_.start();
        if (std::exchange(silent_, false))
            record_(kAlarmPortActive, Severity::Info);
        return;
    }
    if (silent_ || sinceByte_.elapsed() < milliseconds(*settings_.silenceHours, 3600e3))
        return;
    silent_ = true;
    record_(silenceEntry(*settings_.silenceHours), Severity::Warning);
    outbox_.push_back(silenceSms(platform::computerName(), *settings_.silenceHours));
}

void PathWatch::transactionEnded(const SmsOutcome& outcome, bool liveAlarm)
{
    if (liveAlarm)
        tally_.count(outcome);
    if (const auto fault = modemFault(outcome))
        modemFailed(*fault);
    else if (outcome.kind == SmsOutcome::Kind::Sent)
        modemServed(true);
    if (liveAlarm && outcome.kind != SmsOutcome::Kind::Sent)
        episode_.alarmNotSent();
}

// Only a watched modem has episodes; the daily test asks it all the same, for its signal.
void PathWatch::modemFailed(const ModemFault& fault)
{
    if (!settings_.modemCheckMinutes)
        return;
    if (const auto entry = episode_.failed(fault, clock_()))
        record_(*entry, Severity::Warning);
}

// A message that failed goes again once the modem serves, or at the next check that is due.
void PathWatch::modemServed(bool messageSent)
{
    if (settings_.modemCheckMinutes) {
        if (const auto ending = episode_.succeeded(clock_(), messageSent)) {
            record_(kModemRestored, Severity::Info);
            outbox_.push_back(restoredSms(platform::computerName(), *ending));
        }
    }
    if (!episode_.ongoing())
        outboxHeld_ = false;
}

// A message that did not go stays in front, so that what it tells is not lost.
void PathWatch::sendNext()
{
    const QString text = outbox_.front();
    outbox_.pop_front();
    if (send_(handphone_, text).kind == SmsOutcome::Kind::Sent)
        return;
    outbox_.push_front(text);
    outboxHeld_ = true;
}

void PathWatch::sendPendingNow()
{
    for (const QString& text : std::exchange(outbox_, {}))
        send_(handphone_, text);
}

} // namespace orva
