#include "SignalLevel.h"

#include "ModemStatus.h"

#include <QList>
#include <algorithm>
#include <array>
#include <climits>
#include <span>

namespace orva {
namespace {

using Measure = SignalLevel::Measure;

// The n-th number of an information value such as "20,99"; none when it is missing.
std::optional<int> field(const std::optional<QString>& value, qsizetype n)
{
    if (!value)
        return std::nullopt;
    const QList<QStringView> fields = QStringView(*value).split(u',');
    bool ok = false;
    const int number = n < fields.size() ? fields.at(n).trimmed().toInt(&ok) : 0;
    return ok ? std::optional(number) : std::nullopt;
}

// An index of a measure, 0 to highest, read as dBm from lowest up; anything else (99, 255)
// means the modem cannot tell.
std::optional<SignalLevel> level(std::optional<int> index, int highest, int lowest, int step,
                                 Measure measure)
{
    if (!index || *index < 0 || *index > highest)
        return std::nullopt;
    return SignalLevel{lowest + step * *index, measure};
}

struct Band {
    int floor;
    const char* word;
};

// The RSSI's bands are the ones modem makers give for GSM; those of the reference signals and
// the pilot are the ones network operators give for a cell's coverage.
std::span<const Band> bands(Measure measure)
{
    static constexpr std::array<Band, 5> kRssi{
        {{-73, "excellent"}, {-83, "good"}, {-93, "ok"}, {-109, "marginal"}, {INT_MIN, "none"}}};
    static constexpr std::array<Band, 4> kReference{
        {{-80, "excellent"}, {-90, "good"}, {-100, "fair"}, {INT_MIN, "poor"}}};
    static constexpr std::array<Band, 4> kPilot{
        {{-75, "excellent"}, {-85, "good"}, {-100, "fair"}, {INT_MIN, "poor"}}};
    if (measure == Measure::Rssi)
        return kRssi;
    return measure == Measure::Rscp ? std::span<const Band>(kPilot) : kReference;
}

} // namespace

QLatin1StringView measureName(Measure measure)
{
    switch (measure) {
    case Measure::Rssi:
        return QLatin1StringView("RSSI");
    case Measure::LteRsrp:
        return QLatin1StringView("LTE RSRP");
    case Measure::NrRsrp:
        return QLatin1StringView("5G RSRP");
    case Measure::Rscp:
        break;
    }
    return QLatin1StringView("3G RSCP");
}

// AT+CESQ answers "<rxlev>,<ber>,<rscp>,<ecno>,<rsrq>,<rsrp>" and, on 5G,
// ",<ss_rsrq>,<ss_rsrp>,<ss_sinr>"; AT+CSQ answers "<rssi>,<ber>".
std::optional<SignalLevel> signalLevel(QStringView csq, QStringView cesq)
{
    const auto extended = information(cesq, u"+CESQ:");
    for (const auto& found : {
             level(field(extended, 5), 97, -141, 1, Measure::LteRsrp),
             level(field(extended, 7), 126, -157, 1, Measure::NrRsrp),
             level(field(information(csq, u"+CSQ:"), 0), 31, -113, 2, Measure::Rssi),
             level(field(extended, 2), 96, -121, 1, Measure::Rscp),
         })
        if (found)
            return found;
    return std::nullopt;
}

QString signalQuality(const std::optional<SignalLevel>& level)
{
    if (!level)
        return QStringLiteral("unknown");
    const auto scale = bands(level->measure);
    const auto band =
        std::ranges::find_if(scale, [&](const Band& b) { return level->dbm >= b.floor; });
    return QStringLiteral("%1 dBm (%2), %3")
        .arg(level->dbm)
        .arg(measureName(level->measure), QLatin1String(band->word));
}

} // namespace orva
