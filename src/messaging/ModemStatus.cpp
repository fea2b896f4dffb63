#include "ModemStatus.h"

#include "ModemReply.h"

namespace orva {
namespace {

bool isFinalResult(QStringView line)
{
    return line == u"OK" || isErrorResult(line);
}

// The information line of that name that answers a query: the last one before the final
// result, since an unsolicited line of the same name may come first.
std::optional<QStringView> informationLine(QStringView reply, QStringView name)
{
    std::optional<QStringView> found;
    for (const QStringView line : completeReplyLines(reply)) {
        if (isFinalResult(line))
            break;
        if (line.startsWith(name))
            found = line;
    }
    return found;
}

} // namespace

std::optional<QString> finalResult(QStringView reply)
{
    for (const QStringView line : completeReplyLines(reply))
        if (isFinalResult(line))
            return line.toString();
    return std::nullopt;
}

std::optional<QString> information(QStringView reply, QStringView name)
{
    const auto line = informationLine(reply, name);
    return line ? std::optional(line->sliced(name.size()).trimmed().toString()) : std::nullopt;
}

QString answerLine(const std::optional<QString>& reply, QStringView name)
{
    if (!reply)
        return QStringLiteral("no answer");
    if (const auto line = informationLine(*reply, name))
        return u'"' + quotedModemWords(*line) + u'"';
    return u'"' + quotedModemWords(finalResult(*reply).value_or(QString())) +
           QStringLiteral("\" (not supported)");
}

QString simState(QStringView reply)
{
    const QString state = information(reply, u"+CPIN:").value_or(QString());
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

} // namespace orva
