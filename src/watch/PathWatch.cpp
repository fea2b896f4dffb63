#include "PathWatch.h"

#include "WatchMessages.h"
#include "common/Failure.h"

namespace orva {

PathWatch::PathWatch(Links links, Clock clock, std::chrono::milliseconds retryWithoutChecks)
    : links_(std::move(links))
    , clock_(clock)
    , retryWithoutChecks_(retryWithoutChecks)
    , modem_(clock)
    , test_(clock)
    , silence_(clock)
    , outbox_(std::move(clock))
{
}

void PathWatch::start(const WatchSettings& settings, const QString& handphone,
                      const PreviousRun& previous)
{
    handphone_ = handphone;
    started_ = clock_.now();
    modem_.start(settings, previous.openEpisode);
    test_.start(settings.testSmsAt);
    silence_.start(settings, links_.received());
    outbox_.setRetryInterval(settings.modemCheckMinutes ? settings.checkInterval()
                                                        : retryWithoutChecks_);
    if (settings.any() && previous.uncleanEnd) {
        uncleanEnd_ = previous.uncleanEnd;
        outbox_.queue(WatchMessage::Restarted);
    }
}

void PathWatch::afterScan()
{
    watchSilence();
    if (test_.due())
        prepareDailyTest();
    else if (const auto message = outbox_.tryNext())
        sendNext(*message);
    else if (modem_.checkDue())
        checkModem();
}

void PathWatch::checkModem()
{
    modem_.checkBegins();
    ModemWatch::CheckResult result;
    try {
        result = links_.askModem();
    } catch (const Failure& failure) {
        result = failure.message();
    }
    tell(modem_.checked(result));
}

// Its signal is a check's made just before.
void PathWatch::prepareDailyTest()
{
    checkModem();
    outbox_.queue(WatchMessage::DailyTest);
    test_.taken();
}

// An alert still waiting is stale once bytes come; one that went is followed by the news that
// the silence is over.
void PathWatch::watchSilence()
{
    switch (silence_.look(links_.received())) {
    case SilenceWatch::Change::Silent:
        links_.record({silence_.entry(), Severity::Warning});
        outbox_.queue(WatchMessage::Silence);
        break;
    case SilenceWatch::Change::Active:
        links_.record({kAlarmPortActive, Severity::Info});
        if (!outbox_.drop(WatchMessage::Silence)) {
            silence_.endToBeTold();
            outbox_.queue(WatchMessage::PortActive);
        }
        break;
    case SilenceWatch::Change::None:
        break;
    }
}

void PathWatch::transactionEnded(const SmsOutcome& outcome, bool liveAlarm)
{
    if (liveAlarm)
        test_.count(outcome);
    tell(modem_.transactionEnded(outcome, liveAlarm));
}

void PathWatch::tell(const ModemWatch::News& news)
{
    switch (news.change) {
    case ModemWatch::Change::Lost:
        links_.record({news.entry, Severity::Warning});
        break;
    case ModemWatch::Change::Restored:
        links_.record({news.entry, Severity::Info});
        outbox_.queue(WatchMessage::Restored);
        [[fallthrough]];
    case ModemWatch::Change::Served:
        if (!modem_.ongoing())
            outbox_.release();
        break;
    case ModemWatch::Change::None:
        break;
    }
}

QString PathWatch::text(WatchMessage message) const
{
    const QString computer = links_.computerName();
    switch (message) {
    case WatchMessage::Restarted:
        return restartedSms(computer, started_, *uncleanEnd_);
    case WatchMessage::Restored:
        return restoredSms(computer, *modem_.untold());
    case WatchMessage::DailyTest:
        return test_.text(computer, modem_.signal());
    case WatchMessage::PortActive:
        return silence_.endText(computer);
    case WatchMessage::Silence:
        break;
    }
    return silence_.alertText(computer);
}

void PathWatch::sendNext(WatchMessage message)
{
    const QDateTime written = clock_.now();
    const SmsOutcome outcome = links_.send(handphone_, text(message));
    if (outbox_.tried(outcome))
        told(message, written);
    transactionEnded(outcome, false);
}

// What a message told is not told again; the next test counts from when this one was written.
void PathWatch::told(WatchMessage message, const QDateTime& written)
{
    if (message == WatchMessage::Restored)
        modem_.restoreTold();
    if (message == WatchMessage::DailyTest)
        test_.told(written);
}

void PathWatch::sendPendingNow()
{
    for (const WatchMessage message : outbox_.takeAll())
        links_.send(handphone_, text(message));
}

} // namespace orva
