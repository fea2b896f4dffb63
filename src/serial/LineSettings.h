#pragma once

#include <QSerialPort>
#include <QString>

namespace orva {

// How a serial line is driven: speed and character frame.
struct LineSettings {
    qint32 baudRate = 9600;
    QSerialPort::Parity parity = QSerialPort::NoParity;
    QSerialPort::DataBits dataBits = QSerialPort::Data8;
    QSerialPort::StopBits stopBits = QSerialPort::OneStop;

    friend bool operator==(const LineSettings&, const LineSettings&) = default;
};

// Reads "<baud>,<parity>,<data bits>,<stop bits>", for example "9600,n,8,1". Throws Failure,
// naming the text, when it is anything else.
LineSettings parseLineSettings(const QString& text);

} // namespace orva
