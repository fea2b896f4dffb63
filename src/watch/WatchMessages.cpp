#include "WatchMessages.h"

namespace orva {
namespace {

constexpr qsizetype kSmsLength = 160;
constexpr qsizetype kNameLength = 40;

// Characters every handset shows; anything else reads as "?".
bool plain(QChar c)
{
    return c.isLetterOrNumber() ? c.unicode() < 128 : QStringView(u" .-_:;,()+/").contains(c);
}

QString plainText(const QString& text, qsizetype length)
{
    QString result = text.left(length);
    for (QChar& c : result)
        if (!plain(c))
            c = u'?';
    return result;
}

QString sms(const QString& computer, const QString& rest)
{
    return plainText(QStringLiteral("ORVA ") + plainText(computer, kNameLength) + rest, kSmsLength);
}

} // namespace

QString restoredSms(const QString& computer, const ModemEpisode::Ending& episode)
{
    const auto format = episode.lost.date() == episode.restored.date() ? u"hh:mm" : u"dd.MM hh:mm";
    return sms(computer, QStringLiteral(": modem lost %1 to %2, %3 alarms not sent, see the log")
                             .arg(episode.lost.toString(format), episode.restored.toString(format))
                             .arg(episode.alarmsNotSent));
}

QString testSms(const QString& computer, const AlarmTally& tally, const QDateTime& since,
                const std::optional<SignalLevel>& level)
{
    QString signal = level ? QStringLiteral("%1 dBm").arg(level->dbm) : QStringLiteral("unknown");
    if (level && level->measure != SignalLevel::Measure::Rssi)
        signal += QStringLiteral(" (%1)").arg(measureName(level->measure));
    return sms(computer, QStringLiteral(" test: %1 alarms sent, %2 not sent since %3; signal %4")
                             .arg(tally.sent)
                             .arg(tally.notSent)
                             .arg(since.toString(u"dd.MM hh:mm"), signal));
}

// Two figures are enough for how long a line was silent; hours from ten on are whole.
QString hoursText(double hours)
{
    return hours < 10 ? QString::number(hours, 'g', 2) : QString::number(qRound64(hours));
}

QString portActiveSms(const QString& computer, double hours)
{
    return sms(computer,
               QStringLiteral(": alarm port active again after %1 h").arg(hoursText(hours)));
}

QString restartedSms(const QString& computer, const QDateTime& started, const QDateTime& lastEntry)
{
    return sms(computer, QStringLiteral(" restarted at %1 after an unclean end; last entry %2, "
                                        "see the log")
                             .arg(started.toString(u"hh:mm"), lastEntry.toString(u"dd.MM hh:mm")));
}

QString silenceEntry(double hours)
{
    return QStringLiteral("Alarm Port Silent: nothing received for %1 h").arg(hours);
}

QString silenceSms(const QString& computer, double hours)
{
    return sms(computer, QStringLiteral(": ") + silenceEntry(hours));
}

} // namespace orva
