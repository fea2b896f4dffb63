#include "PortReader.h"

#include "ReceiveBuffer.h"
#include "common/Platform.h"

#include <QDeadlineTimer>

namespace orva {

PortReader::PortReader(ReceiveBuffer& buffer)
    : buffer_(buffer)
{
}

QString PortReader::open(const QString& device, const LineSettings& settings)
{
    delete port_;
    port_ = new QSerialPort(device, this);
    port_->setBaudRate(settings.baudRate);
    port_->setParity(settings.parity);
    port_->setDataBits(settings.dataBits);
    port_->setStopBits(settings.stopBits);
    port_->setFlowControl(QSerialPort::NoFlowControl);
    if (!port_->open(QIODevice::ReadWrite))
        return openFailure(device);
    // A pseudo-terminal has no modem control lines; that is no reason to refuse it.
    port_->setDataTerminalReady(true);
    port_->setRequestToSend(true);
    port_->clearError();
    connect(port_, &QSerialPort::readyRead, this, &PortReader::readAvailable);
    connect(port_, &QSerialPort::errorOccurred, this, &PortReader::onError);
    {
        const std::lock_guard lock(failureMutex_);
        failure_.clear();
    }
    open_ = true;
    readAvailable();
    return {};
}

void PortReader::write(const QByteArray& bytes)
{
    if (open_ && port_->write(bytes) != bytes.size())
        fail(port_->errorString());
}

// Everything written so far is handed to the device, or the cause why not.
QString PortReader::drain(std::chrono::milliseconds bound)
{
    const QDeadlineTimer deadline(bound);
    while (open_ && port_->bytesToWrite() > 0) {
        if (deadline.hasExpired())
            return QStringLiteral("the device took no output for %1 ms").arg(bound.count());
        port_->waitForBytesWritten(static_cast<int>(deadline.remainingTime()));
    }
    if (open_)
        return {};
    const QString cause = failure();
    return cause.isEmpty() ? QStringLiteral("the port is not open") : cause;
}

void PortReader::close()
{
    if (port_ != nullptr)
        port_->close();
    open_ = false;
}

QString PortReader::failure() const
{
    const std::lock_guard lock(failureMutex_);
    return failure_;
}

void PortReader::readAvailable()
{
    buffer_.append(port_->readAll());
}

void PortReader::onError(QSerialPort::SerialPortError error)
{
    // A vanished device reports its error again and again while it stays open: close at once.
    if (error == QSerialPort::ResourceError || error == QSerialPort::ReadError ||
        error == QSerialPort::WriteError)
        fail(port_->errorString());
}

// Qt reports a device held by another program, through its lock file or the terminal's
// exclusive mode, as a permission error; the file's own permissions are told apart first.
QString PortReader::openFailure(const QString& device) const
{
    if (platform::accessDenied(device))
        return QStringLiteral("%1: permission denied (is the user in the dialout group?)")
            .arg(device);
    if (port_->error() == QSerialPort::PermissionError)
        return QStringLiteral("%1 is in use by another program").arg(device);
    return QStringLiteral("%1: %2").arg(device, port_->errorString());
}

void PortReader::fail(const QString& cause)
{
    {
        const std::lock_guard lock(failureMutex_);
        failure_ = cause;
    }
    port_->close();
    open_ = false;
}

} // namespace orva
