#pragma once

#include <QString>
#include <QStringView>
#include <optional>

namespace orva {

// A signal level, and the measure it comes from.
struct SignalLevel {
    enum class Measure {
        Rssi,    // AT+CSQ: the received strength on any radio
        LteRsrp, // AT+CESQ: the reference signal on LTE
        NrRsrp,  // AT+CESQ: the synchronisation signal on 5G
        Rscp     // AT+CESQ: the pilot on 3G
    };

    int dbm = 0;
    Measure measure = Measure::Rssi;

    friend bool operator==(const SignalLevel&, const SignalLevel&) = default;
};

// The level the modem gives, from its answers to AT+CSQ and AT+CESQ: on LTE or 5G, which
// only there report a reference signal, that level; otherwise the RSSI, and the pilot on 3G
// when the RSSI is unknown. None when no measure reports a level.
[[nodiscard]] std::optional<SignalLevel> signalLevel(QStringView csq, QStringView cesq);

// How the operator knows a measure: "RSSI", "LTE RSRP", "5G RSRP", "3G RSCP".
[[nodiscard]] QLatin1StringView measureName(SignalLevel::Measure measure);

// The level as the operator reads it, such as "-73 dBm (RSSI), excellent", in bands fit for
// its measure; "unknown" when no measure reports one.
[[nodiscard]] QString signalQuality(const std::optional<SignalLevel>& level);

} // namespace orva
