#pragma once

#include "LineSettings.h"
#include "ReceiveBuffer.h"

#include <QString>
#include <QThread>

namespace orva {

class LineDevice;

// One serial line, driven the way ORVA's callers rely on: configure while closed, open, then
// count, take and queue text. The line reads its device in a thread of its own, so that what
// arrives while the owner's thread sleeps waits in the receive buffer, up to its capacity.
// Characters cross the line as Latin-1 bytes. A device that fails is closed at once and opened
// again at the line's next use; a port name that is a link is followed anew at every opening.
// The operations below that fail throw Failure naming the line, its device and the cause.
class SerialLine {
public:
    static constexpr int kLowestPort = 1;
    static constexpr int kHighestPort = 255;

    // name says what the line is for, such as "port A (SMS modem)".
    explicit SerialLine(QString name, qsizetype receiveCapacity = ReceiveBuffer::kDefaultCapacity);
    ~SerialLine();
    SerialLine(const SerialLine&) = delete;
    SerialLine& operator=(const SerialLine&) = delete;

    void setSettings(const QString& text);
    void setCommPort(int number);
    void setInputLen(int length);
    void setPortOpen(bool open);
    bool portOpen() const;

    // The characters waiting. When none wait, a device that failed is opened again first, so
    // counting may reopen the device, and fail.
    [[nodiscard]] int InBufferCount();
    // Takes the characters waiting, at most the read length of them (all when it is 0); like
    // the count, it may reopen a device that failed.
    QString Input();
    // Queues text for the device; it is written by the line's thread.
    void Output(const QString& text);

    // Which opening of the device is in service: the count grows at every opening, also when
    // the line opens its device again by itself after a failure.
    [[nodiscard]] quint64 opening() const { return openings_; }
    // Waits until everything given to Output has been handed to the device. Throws Failure
    // when a write failed, the device failed, or it was opened again after the given opening.
    void confirmOutput(quint64 since);

    QString name() const { return name_; }
    QString device() const { return device_; }
    // The line's name and its device, as failures and the log name it.
    QString description() const;

private:
    [[noreturn]] void fail(const QString& cause) const;
    QString openDevice();
    void ensureOpen();

    QString name_;
    LineSettings settings_;
    QString device_;
    int inputLen_ = 0;
    quint64 openings_ = 0;
    bool inService_ = false; // opened by its owner and not closed since
    ReceiveBuffer buffer_;
    QThread thread_;
    LineDevice* lineDevice_ = nullptr; // lives in thread_
};

} // namespace orva
