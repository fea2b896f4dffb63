#include "PortReader.h"

#include "ReceiveBuffer.h"

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
        return port_->errorString();
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
