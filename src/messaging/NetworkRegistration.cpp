#include "NetworkRegistration.h"

#include "ModemStatus.h"

#include <QList>
#include <algorithm>

namespace orva {
namespace {

constexpr int kUnknown = 4;
constexpr int kHighestState = 11;

// A field of digits alone, zero-padded or not; -1 for any other.
int number(QStringView field)
{
    field = field.trimmed();
    if (field.isEmpty() || !std::ranges::all_of(field, [](QChar c) { return c.isDigit(); }))
        return -1;
    bool ok = false;
    const int value = field.toInt(&ok);
    return ok ? value : -1;
}

// A state beyond those that exist (the nRF91 says 90 for a failed SIM) is one nobody can tell.
int known(int state)
{
    return state <= kHighestState ? state : kUnknown;
}

bool registered(int state)
{
    return state == 1 || state == 5 || state == 6 || state == 7 || state == 9 || state == 10;
}

bool roaming(int state)
{
    return state == 5 || state == 7 || state == 10;
}

QString registeredText(Domain domain, int state)
{
    static constexpr std::array<const char*, kDomains> kWhere{"", " for packet data",
                                                              " on LTE (EPS)", " on 5G (5GS)"};
    const char* kind = state == 6 || state == 7    ? " for SMS only"
                       : state == 9 || state == 10 ? ", CSFB not preferred"
                                                   : "";
    return QStringLiteral("registered%1%2, %3")
        .arg(QLatin1String(kWhere.at(static_cast<std::size_t>(domain))), QLatin1String(kind),
             roaming(state) ? QStringLiteral("roaming") : QStringLiteral("home network"));
}

} // namespace

// The read form is "<n>,<stat>,…"; the form of the unsolicited report, which some modules
// answer with, is "<stat>,<lac>,…". The first field is <n> only when a state follows it: a
// number alone in the second field, or one of at most two digits or a state that exists, since
// an area code written bare has more digits.
std::optional<int> registrationState(QStringView reply, Domain domain)
{
    static constexpr std::array<QStringView, kDomains> kNames{u"+CREG:", u"+CGREG:", u"+CEREG:",
                                                              u"+C5GREG:"};
    const auto value = information(reply, kNames.at(static_cast<std::size_t>(domain)));
    if (!value)
        return std::nullopt;
    const QList<QStringView> fields = QStringView(*value).split(u',');
    const int first = number(fields.front());
    const QStringView after = fields.size() > 1 ? fields.at(1).trimmed() : QStringView();
    const int second = number(after);
    if (first >= 0 && first <= 5 && second >= 0 &&
        (fields.size() == 2 || second <= kHighestState || after.size() <= 2))
        return known(second);
    return first >= 0 ? known(first) : kUnknown;
}

// The circuit-switched domain is the one SMS is known to go in; a modem registered only in
// another one sends where the network carries SMS there (over IMS or NAS), which no status
// answer proves.
NetworkVerdict networkVerdict(const RegistrationStates& states)
{
    // A packet registration is named last: on LTE it only repeats the EPS one.
    for (const Domain domain :
         {Domain::CircuitSwitched, Domain::Eps, Domain::FiveG, Domain::Packet}) {
        const auto state = states.at(static_cast<std::size_t>(domain));
        if (!state || !registered(*state))
            continue;
        QString text = registeredText(domain, *state);
        if (domain != Domain::CircuitSwitched)
            text +=
                QStringLiteral("; SMS depends on the network: no circuit-switched registration");
        return {text, true};
    }
    const auto any = [&states](int state) { return std::ranges::count(states, state) > 0; };
    if (any(2))
        return {QStringLiteral("searching")};
    if (any(3))
        return {QStringLiteral("registration denied")};
    if (any(8))
        return {QStringLiteral("emergency services only")};
    if (any(11))
        return {QStringLiteral("restricted local operator services only")};
    return {QStringLiteral("not registered")};
}

} // namespace orva
