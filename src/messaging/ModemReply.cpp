#include "ModemReply.h"

#include "common/VisibleText.h"

namespace orva {
namespace {

constexpr qsizetype kQuotedLength = 80;

bool holdsPrompt(QStringView reply)
{
    for (qsizetype i = 0; i < reply.size(); ++i)
        if (reply[i] == u'>' && (i == 0 || reply[i - 1] == u'\r' || reply[i - 1] == u'\n'))
            return true;
    return false;
}

// A body line as the modem echoes it: after the prompt of a continued line, and the last one
// followed by the Ctrl-Z that ended it.
QStringView echoedText(QStringView line)
{
    if (line.startsWith(u'>'))
        line = line.sliced(1).trimmed();
    while (line.endsWith(kCtrlZ))
        line.chop(1);
    return line.trimmed();
}

} // namespace

QList<QStringView> replyLines(QStringView reply)
{
    QList<QStringView> lines;
    qsizetype from = 0;
    for (qsizetype i = 0; i <= reply.size(); ++i) {
        if (i == reply.size() || reply[i] == u'\r' || reply[i] == u'\n') {
            const QStringView line = reply.sliced(from, i - from).trimmed();
            if (!line.isEmpty())
                lines << line;
            from = i + 1;
        }
    }
    return lines;
}

QList<QStringView> completeReplyLines(QStringView reply)
{
    qsizetype end = reply.size();
    while (end > 0 && reply[end - 1] != u'\r' && reply[end - 1] != u'\n')
        --end;
    return replyLines(reply.first(end));
}

QString quotedModemWords(QStringView words)
{
    return visibleText(words.first(std::min(words.size(), kQuotedLength)));
}

bool isErrorResult(QStringView line)
{
    return line == u"ERROR" || line.startsWith(u"+CMS ERROR") || line.startsWith(u"+CME ERROR");
}

ModemAnswer judgeCommandReply(QStringView reply)
{
    if (reply.isEmpty())
        return {ModemVerdict::Silent, {}};
    if (holdsPrompt(reply))
        return {ModemVerdict::Prompted, {}};
    for (const QStringView line : replyLines(reply))
        if (isErrorResult(line))
            return {ModemVerdict::Refused, line.toString()};
    return {ModemVerdict::NoPrompt, {}};
}

ModemAnswer judgeBodyReply(QStringView reply, QStringView body)
{
    const QList<QStringView> bodyLines = replyLines(body);
    qsizetype echoed = 0;
    for (const QStringView line : replyLines(reply)) {
        if (echoed >= 0 && echoed < bodyLines.size() && echoedText(line) == bodyLines[echoed]) {
            ++echoed;
            continue;
        }
        echoed = -1; // the echo is over
        if (line.startsWith(u"+CMGS:"))
            return {ModemVerdict::Sent, line.toString()};
        if (isErrorResult(line))
            return {ModemVerdict::Refused, line.toString()};
    }
    return {ModemVerdict::Unconfirmed, {}};
}

} // namespace orva
