#pragma once

#include "LineSettings.h"

#include <QObject>
#include <QSerialPort>
#include <atomic>
#include <chrono>
#include <mutex>

namespace orva {

class ReceiveBuffer;

// Owns the serial device in the line's own thread: keeps reading it into the receive buffer
// whatever the owner's thread is doing, and writes what the owner queues.
class PortReader : public QObject {
    Q_OBJECT

public:
    explicit PortReader(ReceiveBuffer& buffer);

    // These run in the reader's thread. open and drain return the cause of a failure, or
    // an empty text.
    QString open(const QString& device, const LineSettings& settings);
    void write(const QByteArray& bytes);
    QString drain(std::chrono::milliseconds bound);
    void close();

    // These may be called from any thread.
    bool isOpen() const { return open_; }
    QString failure() const;

private:
    void readAvailable();
    void onError(QSerialPort::SerialPortError error);
    void fail(const QString& cause);
    QString openFailure(const QString& device) const;

    ReceiveBuffer& buffer_;
    QSerialPort* port_ = nullptr;
    std::atomic<bool> open_ = false;
    mutable std::mutex failureMutex_;
    QString failure_;
};

} // namespace orva
