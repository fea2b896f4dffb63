#pragma once

#include "LineSettings.h"

#include <QObject>
#include <QSerialPort>
#include <atomic>
#include <chrono>
#include <mutex>

namespace orva {

class ReceiveBuffer;

// A serial line's device, living in the line's own thread: opens and closes it, keeps reading
// it into the receive buffer whatever the owner's thread is doing, writes what the owner
// queues, and closes it at once when it fails.
class LineDevice : public QObject {
    Q_OBJECT

public:
    explicit LineDevice(ReceiveBuffer& buffer);

    // These run in the line's thread. open and drain return the cause of a failure, or an
    // empty text.
    // A setting the driver refuses fails the opening, quoting settingsText.
    [[nodiscard]] QString open(const QString& device, const LineSettings& settings,
                               const QString& settingsText);
    void write(const QByteArray& bytes);
    [[nodiscard]] QString drain(std::chrono::milliseconds bound);
    void close();

    // These may be called from any thread.
    bool isOpen() const { return open_; }
    QString failure() const;

private:
    void readAvailable();
    void onError(QSerialPort::SerialPortError error);
    void fail(const QString& cause);
    QString openFailure(const QString& device) const;
    QString refusedSetting(const LineSettings& settings);

    ReceiveBuffer& buffer_;
    QSerialPort* port_ = nullptr;
    std::atomic<bool> open_ = false;
    mutable std::mutex failureMutex_;
    QString failure_;
};

} // namespace orva
