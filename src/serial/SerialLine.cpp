#include "SerialLine.h"

#include "LineDevice.h"
#include "common/Failure.h"
#include "system/Platform.h"

namespace orva {

SerialLine::SerialLine(QString name, qsizetype receiveCapacity)
    : name_(std::move(name))
    , buffer_(name_, receiveCapacity)
    , lineDevice_(new LineDevice(buffer_))
{
    thread_.setObjectName(name_);
    lineDevice_->moveToThread(&thread_);
    QObject::connect(&thread_, &QThread::finished, lineDevice_, &QObject::deleteLater);
    thread_.start();
}

SerialLine::~SerialLine()
{
    QMetaObject::invokeMethod(lineDevice_, &LineDevice::close, Qt::BlockingQueuedConnection);
    thread_.quit();
    thread_.wait();
}

void SerialLine::setLineSettings(const QString& text)
{
    if (isOpen())
        fail(QStringLiteral("line settings cannot change while the port is open"));
    try {
        settings_ = parseLineSettings(text);
        settingsText_ = text;
    } catch (const Failure& failure) {
        fail(failure.message());
    }
}

void SerialLine::setPortNumber(int number)
{
    if (number < kLowestPort || number > kHighestPort)
        fail(QStringLiteral("port number %1 is not between %2 and %3")
                 .arg(number)
                 .arg(kLowestPort)
                 .arg(kHighestPort));
    if (isOpen())
        fail(QStringLiteral("the port cannot change while it is open"));
    device_ = platform::serialDevice(number);
}

void SerialLine::setReadLength(int length)
{
    if (length < 0)
        fail(QStringLiteral("read length %1 is negative").arg(length));
    readLength_ = length;
}

void SerialLine::close()
{
    QMetaObject::invokeMethod(lineDevice_, &LineDevice::close, Qt::BlockingQueuedConnection);
    inService_ = false;
}

void SerialLine::open()
{
    if (device_.isEmpty())
        fail(QStringLiteral("no port number is set"));
    if (isOpen())
        fail(QStringLiteral("the port is already open"));
    const QString error = openDevice();
    if (!error.isEmpty())
        fail(QStringLiteral("cannot open: %1").arg(error));
    inService_ = true;
}

bool SerialLine::isOpen() const
{
    return lineDevice_->isOpen();
}

int SerialLine::reopenAndCountWaiting()
{
    reopenIfFailed();
    return waitingCount();
}

QString SerialLine::takeReceived()
{
    qsizetype dropped = 0;
    const QString text = QString::fromLatin1(buffer_.take(readLength_, dropped));
    if (text.isEmpty())
        requireOpenDevice();
    if (dropped > 0 && overflowReport_) // a full buffer held something: text is not empty
        overflowReport_(QStringLiteral("%1 receive buffer full, %2 bytes dropped")
                            .arg(description())
                            .arg(dropped));
    return text;
}

void SerialLine::write(const QString& text)
{
    requireOpenDevice();
    QMetaObject::invokeMethod(
        lineDevice_,
        [lineDevice = lineDevice_, bytes = text.toLatin1()] { lineDevice->write(bytes); },
        Qt::QueuedConnection);
}

void SerialLine::confirmWritten(quint64 since, std::chrono::milliseconds bound)
{
    QString cause;
    QMetaObject::invokeMethod(
        lineDevice_, [this, bound] { return lineDevice_->drain(bound); },
        Qt::BlockingQueuedConnection, &cause);
    if (!cause.isEmpty())
        fail(QStringLiteral("output not delivered: %1").arg(cause));
    if (openings_ != since)
        fail(QStringLiteral("the device was opened again in the middle of an exchange"));
}

QString SerialLine::openDevice()
{
    QString device;
    try {
        device = platform::deviceBehind(device_);
    } catch (const Failure& failure) {
        return failure.message();
    }
    QString error;
    QMetaObject::invokeMethod(
        lineDevice_, [&] { return lineDevice_->open(device, settings_, settingsText_); },
        Qt::BlockingQueuedConnection, &error);
    if (error.isEmpty())
        ++openings_;
    return error;
}

// A line whose device failed (a USB adapter unplugged, say) is opened again, with the same
// settings, so that it serves again once the device is back.
void SerialLine::reopenIfFailed()
{
    if (isOpen())
        return;
    if (!inService_)
        fail(QStringLiteral("the port is not open"));
    const QString cause = lineDevice_->failure();
    const QString error = openDevice();
    if (!error.isEmpty())
        fail(QStringLiteral("the device failed (%1) and cannot be opened again: %2")
                 .arg(cause, error));
    recoveredFailure_ = failedDevice(cause);
}

std::optional<QString> SerialLine::deviceFailure() const
{
    if (!inService_ || isOpen())
        return std::nullopt;
    return failedDevice(lineDevice_->failure());
}

void SerialLine::requireOpenDevice() const
{
    if (isOpen())
        return;
    if (!inService_)
        fail(QStringLiteral("the port is not open"));
    throw Failure(failedDevice(lineDevice_->failure()));
}

QString SerialLine::failedDevice(const QString& cause) const
{
    return QStringLiteral("%1: the device failed (%2)").arg(description(), cause);
}

QString SerialLine::description() const
{
    return device_.isEmpty() ? name_ : QStringLiteral("%1 (%2)").arg(name_, device_);
}

void SerialLine::fail(const QString& cause) const
{
    throw Failure(QStringLiteral("%1: %2").arg(description(), cause));
}

} // namespace orva
