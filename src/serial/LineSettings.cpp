#include "LineSettings.h"

#include "common/Failure.h"
#include "common/VisibleText.h"

#include <QStringList>
#include <algorithm>
#include <array>
#include <optional>

namespace orva {
namespace {

constexpr std::array<qint32, 16> kBaudRates{110,   300,    600,    1200,  2400,  4800,
                                            9600,  14400,  19200,  28800, 38400, 56000,
                                            57600, 115200, 128000, 256000};

std::optional<qint32> baudRate(const QString& field)
{
    bool ok = false;
    const int rate = field.toInt(&ok);
    if (ok && std::ranges::find(kBaudRates, rate) != kBaudRates.end())
        return rate;
    return std::nullopt;
}

std::optional<Parity> parity(const QString& field)
{
    if (field.size() != 1)
        return std::nullopt;
    switch (field.at(0).toUpper().unicode()) {
    case u'N':
        return Parity::None;
    case u'E':
        return Parity::Even;
    case u'O':
        return Parity::Odd;
    case u'M':
        return Parity::Mark;
    case u'S':
        return Parity::Space;
    default:
        return std::nullopt;
    }
}

std::optional<int> dataBits(const QString& field)
{
    bool ok = false;
    const int bits = field.toInt(&ok);
    if (ok && bits >= 5 && bits <= 8 && field.size() == 1)
        return bits;
    return std::nullopt;
}

std::optional<StopBits> stopBits(const QString& field)
{
    if (field == u"1")
        return StopBits::One;
    if (field == u"1.5")
        return StopBits::OneAndHalf;
    if (field == u"2")
        return StopBits::Two;
    return std::nullopt;
}

} // namespace

LineSettings parseLineSettings(const QString& text)
{
    QStringList fields = text.split(u',');
    for (QString& field : fields)
        field = field.trimmed();
    if (fields.size() == 4) {
        const auto rate = baudRate(fields[0]);
        const auto par = parity(fields[1]);
        const auto data = dataBits(fields[2]);
        const auto stop = stopBits(fields[3]);
        if (rate && par && data && stop)
            return {*rate, *par, *data, *stop};
    }
    throw Failure(QStringLiteral("line settings \"%1\" are not valid; expected baud rate, "
                                 "parity, data bits and stop bits, such as \"9600,n,8,1\"")
                      .arg(visibleText(text)));
}

} // namespace orva
