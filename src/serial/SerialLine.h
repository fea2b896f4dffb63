#pragma once

#include "LineSettings.h"
#include "ReceiveBuffer.h"

#include <QString>
#include <QThread>
#include <chrono>
#include <functional>
#include <optional>

namespace orva {

class LineDevice;

// One serial line, driven the way ORVA's callers rely on: configure while closed, open, then
// count, take and write text. The line reads its device in a thread of its own, so that what
// arrives while the owner's thread sleeps waits in the receive buffer, up to its capacity.
// Characters cross the line as Latin-1 bytes. A device that fails is closed at once; it is opened
// again only when the owner counts the waiting characters or asks for it, never behind a write,
// and a port name that is a link is followed anew at every opening. The operations below that
// fail throw Failure naming the line, its device and the cause.
class SerialLine {
public:
    static constexpr int kLowestPort = 1;
    static constexpr int kHighestPort = 255;

    // name says what the line is for, such as "port A (SMS modem)".
    explicit SerialLine(QString name, qsizetype receiveCapacity = ReceiveBuffer::kDefaultCapacity);
    ~SerialLine();
    SerialLine(const SerialLine&) = delete;
    SerialLine& operator=(const SerialLine&) = delete;

    void setLineSettings(const QString& text);
    void setPortNumber(int number);
    void setReadLength(int length);
    void open();
    // Closes the device; the line stays closed until it is opened again.
    void close();
    bool isOpen() const;
    // Why the device failed, naming the line, for as long as it stays closed after failing;
    // none while it serves, or when the owner closed the line.
    [[nodiscard]] std::optional<QString> deviceFailure() const;
    // Why the device had failed when it was last opened again, told once: none when it has
    // not been opened again since the previous call.
    [[nodiscard]] std::optional<QString> takeRecoveredFailure()
    {
        return std::exchange(recoveredFailure_, std::nullopt);
    }

    // Opens a device that failed again, with the same settings. Throws when it cannot, or
    // when the owner has closed the line.
    void reopenIfFailed();
    // Opens a device that failed again, whatever waits, and counts the characters waiting; what
    // was received before the failure stays in front of what comes after. Throws when the
    // device cannot be opened again.
    [[nodiscard]] int reopenAndCountWaiting();
    // The characters waiting, without looking at the device.
    [[nodiscard]] int waitingCount() const { return static_cast<int>(buffer_.size()); }
    // How many characters ever arrived on the line, across its devices.
    [[nodiscard]] quint64 receivedCount() const { return buffer_.received(); }
    // Takes the characters waiting, at most the read length of them (all when it is 0). Those
    // received before the device failed are taken first; after them it throws.
    QString takeReceived();
    // Queues text for the device; it is written by the line's thread. Throws when the device
    // has failed: a write never reopens it.
    void write(const QString& text);

    // Says, with the next characters taken, how many the full receive buffer dropped, as
    // "<line> receive buffer full, <n> bytes dropped". It must not throw.
    using OverflowReport = std::function<void(const QString& cause)>;
    void setOverflowReport(OverflowReport report) { overflowReport_ = std::move(report); }

    // Which opening of the device is in service: the count grows at every opening, also when
    // the line opens its device again by itself after a failure.
    [[nodiscard]] quint64 opening() const { return openings_; }
    // Waits until everything given to write has been handed to the device, for at most bound.
    // Throws Failure when a write failed or took longer, the device failed, or it was opened
    // again after the given opening.
    void confirmWritten(quint64 since, std::chrono::milliseconds bound);

    QString name() const { return name_; }
    QString device() const { return device_; }
    // The line's name and its device, as failures and the log name it.
    QString description() const;

private:
    [[noreturn]] void fail(const QString& cause) const;
    QString failedDevice(const QString& cause) const;
    QString openDevice();
    void requireOpenDevice() const;

    QString name_;
    LineSettings settings_;
    QString settingsText_;
    QString device_;
    int readLength_ = 0;
    quint64 openings_ = 0;
    bool inService_ = false; // opened by its owner and not closed since
    std::optional<QString> recoveredFailure_;
    ReceiveBuffer buffer_;
    OverflowReport overflowReport_;
    QThread thread_;
    LineDevice* lineDevice_ = nullptr; // lives in thread_
};

} // namespace orva
