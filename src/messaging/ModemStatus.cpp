#include "ModemStatus.h"

#include "ModemReply.h"

namespace orva {
namespace {

bool isFinalResult(QStringView line)
{
    return line == u"OK" || isErrorResult(line);
}

// The value of the information line that answers a query, such as "+CSQ: 20,99": the last
// one before the final result, since an unsolicited line of the same name may come first.
QString information(QStringView reply, QStringView prefix)
{
    QString value;
    for (const QStringView line : completeReplyLines(reply)) {
        if (isFinalResult(line))
            break;
        if (line.startsWith(prefix))
            value = line.sliced(prefix.size()).trimmed().toString();
    }
    return value;
}

// The n-th number of an information value such as "0,1".
int field(const QString& value, int n)
{
    bool ok = false;
    const int number = value.section(u',', n, n).trimmed().toInt(&ok);
    return ok ? number : -1;
}

} // namespace

std::optional<QString> finalResult(QStringView reply)
{
    for (const QStringView line : completeReplyLines(reply))
        if (isFinalResult(line))
            return line.toString();
    return std::nullopt;
}

QString simState(QStringView reply)
{
    const QString state = information(reply, u"+CPIN:");
    if (state == u"READY")
        return QStringLiteral("ready");
    if (state == u"SIM PIN")
        return QStringLiteral("PIN needed");
    if (state == u"SIM PUK")
        return QStringLiteral("PUK needed");
    if (finalResult(reply) == u"+CME ERROR: 10")
        return QStringLiteral("not inserted");
    return QStringLiteral("unknown (%1)").arg(quotedModemWords(reply.toString().simplified()));
}

bool simReady(QStringView reply)
{
    return information(reply, u"+CPIN:") == u"READY";
}

// 2 dBm a step from -113 dBm; 99 and anything beyond 31 mean the modem cannot tell.
std::optional<int> signalDbm(QStringView reply)
{
    const int rssi = field(information(reply, u"+CSQ:"), 0);
    if (rssi < 0 || rssi > 31)
        return std::nullopt;
    return -113 + 2 * rssi;
}

// The bands are the ones modem makers give for GSM, at 2 dBm a step.
QString signalQuality(QStringView reply)
{
    const auto dbm = signalDbm(reply);
    if (!dbm)
        return QStringLiteral("unknown");
    const char* band = *dbm < -109  ? "none"
                       : *dbm < -93 ? "marginal"
                       : *dbm < -83 ? "ok"
                       : *dbm < -73 ? "good"
                                    : "excellent";
    return QStringLiteral("%1 dBm, %2").arg(*dbm).arg(QLatin1String(band));
}

Registration registration(QStringView reply)
{
    switch (field(information(reply, u"+CREG:"), 1)) {
    case 1:
        return {QStringLiteral("registered, home network"), true};
    case 5:
        return {QStringLiteral("registered, roaming"), true};
    case 2:
        return {QStringLiteral("searching"), false};
    case 3:
        return {QStringLiteral("registration denied"), false};
    default:
        return {QStringLiteral("not registered"), false};
    }
}

} // namespace orva
