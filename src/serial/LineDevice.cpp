#include "LineDevice.h"

#include "ReceiveBuffer.h"
#include "common/VisibleText.h"
#include "system/Platform.h"

#include <QDeadlineTimer>

namespace orva {
namespace {

QSerialPort::Parity serialParity(Parity parity)
{
    switch (parity) {
    case Parity::Even:
        return QSerialPort::EvenParity;
    case Parity::Odd:
        return QSerialPort::OddParity;
    case Parity::Mark:
        return QSerialPort::MarkParity;
    case Parity::Space:
        return QSerialPort::SpaceParity;
    case Parity::None:
        break;
    }
    return QSerialPort::NoParity;
}

QSerialPort::StopBits serialStopBits(StopBits stopBits)
{
    switch (stopBits) {
    case StopBits::OneAndHalf:
        return QSerialPort::OneAndHalfStop;
    case StopBits::Two:
        return QSerialPort::TwoStop;
    case StopBits::One:
        break;
    }
    return QSerialPort::OneStop;
}

} // namespace

LineDevice::LineDevice(ReceiveBuffer& buffer)
    : buffer_(buffer)
{
}

QString LineDevice::open(const QString& device, const LineSettings& settings,
                         const QString& settingsText)
{
    delete port_;
    port_ = new QSerialPort(device, this);
    port_->setBaudRate(settings.baudRate);
    port_->setParity(serialParity(settings.parity));
    port_->setDataBits(static_cast<QSerialPort::DataBits>(settings.dataBits));
    port_->setStopBits(serialStopBits(settings.stopBits));
    port_->setFlowControl(QSerialPort::NoFlowControl);
    if (!port_->open(QIODevice::ReadWrite))
        return openFailure(device);
    if (const QString refused = refusedSetting(settings); !refused.isEmpty()) {
        port_->close();
        return QStringLiteral("line settings \"%1\": the system refused %2")
            .arg(visibleText(settingsText), refused);
    }
    // A pseudo-terminal has no modem control lines; that is no reason to refuse it.
    port_->setDataTerminalReady(true);
    port_->setRequestToSend(true);
    port_->clearError();
    connect(port_, &QSerialPort::readyRead, this, &LineDevice::readAvailable);
    connect(port_, &QSerialPort::errorOccurred, this, &LineDevice::onError);
    {
        const std::lock_guard lock(failureMutex_);
        failure_.clear();
    }
    open_ = true;
    readAvailable();
    return {};
}

void LineDevice::write(const QByteArray& bytes)
{
    if (open_ && port_->write(bytes) != bytes.size())
        fail(port_->errorString());
}

// Everything written so far is handed to the device, or the cause why not.
QString LineDevice::drain(std::chrono::milliseconds bound)
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

void LineDevice::close()
{
    if (port_ != nullptr)
        port_->close();
    open_ = false;
}

QString LineDevice::failure() const
{
    const std::lock_guard lock(failureMutex_);
    return failure_;
}

void LineDevice::readAvailable()
{
    buffer_.append(port_->readAll());
}

void LineDevice::onError(QSerialPort::SerialPortError error)
{
    // A vanished device reports its error again and again while it stays open: close at once.
    if (error == QSerialPort::ResourceError || error == QSerialPort::ReadError ||
        error == QSerialPort::WriteError)
        fail(port_->errorString());
}

// Each setting is applied once more to the open device, where the driver says whether it takes
// it: Qt opens a device with the settings it can apply and leaves out the others, and sets one
// stop bit for 1.5 where the system has no such setting.
QString LineDevice::refusedSetting(const LineSettings& settings)
{
    const bool stopBitsExist =
        settings.stopBits != StopBits::OneAndHalf || platform::hasOneAndHalfStopBits();
    static const char* const kStopBits[] = {"1", "1.5", "2"};
    static const char* const kParities[] = {"none", "even", "odd", "mark", "space"};
    const std::pair<bool, QString> applied[] = {
        {port_->setBaudRate(settings.baudRate),
         QStringLiteral("the baud rate %1").arg(settings.baudRate)},
        {port_->setParity(serialParity(settings.parity)),
         QStringLiteral("parity %1").arg(QLatin1String(kParities[int(settings.parity)]))},
        {port_->setDataBits(static_cast<QSerialPort::DataBits>(settings.dataBits)),
         QStringLiteral("%1 data bits").arg(settings.dataBits)},
        {stopBitsExist && port_->setStopBits(serialStopBits(settings.stopBits)),
         QStringLiteral("%1 stop bits").arg(QLatin1String(kStopBits[int(settings.stopBits)]))},
    };
    for (const auto& [taken, setting] : applied)
        if (!taken)
            return port_->error() == QSerialPort::NoError
                       ? setting
                       : QStringLiteral("%1 (%2)").arg(setting, port_->errorString());
    return {};
}

// Qt reports a device held by another program, through its lock file or the terminal's
// exclusive mode, as a permission error; the file's own permissions are told apart first.
QString LineDevice::openFailure(const QString& device) const
{
    if (platform::accessDenied(device))
        return QStringLiteral("%1: permission denied (is the user in the dialout group?)")
            .arg(device);
    if (port_->error() == QSerialPort::PermissionError)
        return QStringLiteral("%1 is in use by another program").arg(device);
    return QStringLiteral("%1: %2").arg(device, port_->errorString());
}

void LineDevice::fail(const QString& cause)
{
    {
        const std::lock_guard lock(failureMutex_);
        failure_ = cause;
    }
    port_->close();
    open_ = false;
}

} // namespace orva
