#include "ModemReply.h"

#include <QList>
#include <QString>

namespace orva {
namespace {

// An ERROR result stands on a line of its own, so an echoed body that merely contains the
// word ERROR is not taken for one.
bool holdsErrorResult(QStringView reply)
{
    const QString lines = reply.toString().replace(u'\n', u'\r');
    for (QStringView line : QStringView(lines).split(u'\r')) {
        line = line.trimmed();
        if (line == u"ERROR" || line.startsWith(u"+CMS ERROR") || line.startsWith(u"+CME ERROR"))
            return true;
    }
    return false;
}

} // namespace

ModemVerdict judgeCommandReply(QStringView reply)
{
    if (reply.isEmpty())
        return ModemVerdict::Silent;
    if (!reply.contains(u'>') && holdsErrorResult(reply))
        return ModemVerdict::Refused;
    return ModemVerdict::Accepted;
}

ModemVerdict judgeBodyReply(QStringView reply)
{
    return holdsErrorResult(reply) ? ModemVerdict::Refused : ModemVerdict::Accepted;
}

} // namespace orva
