#pragma once

#include <QString>
#include <QStringView>
#include <array>
#include <optional>

namespace orva {

// The domains a modem registers in, each asked on its own, in the order they are asked:
// circuit-switched (AT+CREG?: SMS on 2G and 3G, and SMS over SGs on LTE), packet on 2G and 3G
// (AT+CGREG?), EPS (AT+CEREG?: LTE, LTE-M, NB-IoT) and 5GS (AT+C5GREG?).
enum class Domain { CircuitSwitched, Packet, Eps, FiveG };
inline constexpr std::size_t kDomains = 4;

// The registration state <stat> of each domain, numbered as 3GPP TS 27.007 numbers it (0 not
// registered, 1 home, 2 searching, 3 denied, 4 unknown, 5 roaming, 6 and 7 SMS only, 8
// emergency services only, 9 and 10 CSFB not preferred, 11 RLOS); none for a domain the
// modem does not have.
using RegistrationStates = std::array<std::optional<int>, kDomains>;

// The state an answer to a domain's question tells, read as modules write it: with or without
// the <n> field in front, area and cell codes quoted or bare, states zero-padded. None when no
// information line came (ERROR, +CME ERROR, a bare OK): the domain is not there. A line that
// holds no state, or one beyond those above, reads as unknown.
[[nodiscard]] std::optional<int> registrationState(QStringView reply, Domain domain);

// The network as all domains together tell it, as an operator needs it: the modem is on a
// network when any domain is registered; otherwise it is searching when any domain searches,
// denied when no domain is better, and not registered.
struct NetworkVerdict {
    QString text; // "registered, home network", "registered on LTE (EPS), roaming", "searching"…
    bool registered = false;
};
[[nodiscard]] NetworkVerdict networkVerdict(const RegistrationStates& states);

} // namespace orva
