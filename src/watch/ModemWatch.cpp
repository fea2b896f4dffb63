#include "ModemWatch.h"

#include "WatchMessages.h"

namespace orva {

ModemWatch::ModemWatch(Clock clock)
    : clock_(std::move(clock))
{
}

void ModemWatch::start(const WatchSettings& settings, const std::optional<ModemEpisode::Open>& open)
{
    watched_ = settings.modemCheckMinutes.has_value();
    interval_ = settings.checkInterval();
    lastCheck_ = clock_.monotonicNow();
    if (watched() && open)
        episode_.resume(*open);
}

bool ModemWatch::checkDue() const
{
    return watched() && (stateOfMessageDue_ || clock_.monotonicNow() - lastCheck_ >= interval_);
}

// The next check is due an interval after this one began, however long it took.
void ModemWatch::checkBegins()
{
    lastCheck_ = clock_.monotonicNow();
    checkAfterMessage_ = std::exchange(stateOfMessageDue_, false);
}

ModemWatch::News ModemWatch::checked(const CheckResult& result)
{
    if (const auto* portFailure = std::get_if<QString>(&result)) {
        signal_.reset();
        sentIn_.reset();
        return failed(*modemFault({SmsOutcome::Kind::PortFailure, *portFailure}));
    }
    const auto& health = std::get<ModemHealth>(result);
    signal_ = signalLevel(health);
    const auto state = modemState(health);
    if (checkAfterMessage_ && state)
        sentIn_ = state;
    if (const auto trouble = modemTrouble(health); trouble && (!state || state != sentIn_))
        return failed(ModemFault{*trouble});
    return served(false);
}

ModemWatch::News ModemWatch::transactionEnded(const SmsOutcome& outcome, bool liveAlarm)
{
    News news;
    if (const auto fault = modemFault(outcome))
        news = failed(*fault);
    else if (outcome.kind == SmsOutcome::Kind::Sent) {
        stateOfMessageDue_ = true; // the next check, due at once, finds the state it sent in
        news = served(true);
    }
    if (liveAlarm && outcome.kind != SmsOutcome::Kind::Sent)
        episode_.alarmNotSent();
    return news;
}

ModemWatch::News ModemWatch::failed(const ModemFault& fault)
{
    if (!watched())
        return {};
    if (const auto entry = episode_.failed(fault, clock_.now()))
        return {Change::Lost, *entry};
    return {};
}

ModemWatch::News ModemWatch::served(bool messageSent)
{
    if (!watched())
        return {Change::Served};
    const auto ending = episode_.succeeded(clock_.now(), messageSent);
    if (!ending)
        return {Change::Served};
    untold_ = untold_ ? joined(*untold_, *ending) : *ending;
    return {Change::Restored, kModemRestored};
}

} // namespace orva
