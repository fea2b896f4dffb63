#pragma once

#include <QString>
#include <QtGlobal>

namespace orva {

enum class Parity { None, Even, Odd, Mark, Space };
enum class StopBits { One, OneAndHalf, Two };

// How a serial line is driven: speed and character frame.
struct LineSettings {
    qint32 baudRate = 9600;
    Parity parity = Parity::None;
    int dataBits = 8;
    StopBits stopBits = StopBits::One;

    friend bool operator==(const LineSettings&, const LineSettings&) = default;
};

// Reads "<baud>,<parity>,<data bits>,<stop bits>", for example "9600,n,8,1". Throws Failure,
// naming the text, when it is anything else.
[[nodiscard]] LineSettings parseLineSettings(const QString& text);

} // namespace orva
