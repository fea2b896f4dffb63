#include "SerialLine.h"

#include "PortReader.h"
#include "common/Failure.h"
#include "common/Platform.h"

namespace orva {

SerialLine::SerialLine(QString name, qsizetype receiveCapacity)
    : name_(std::move(name))
    , buffer_(name_, receiveCapacity)
    , reader_(new PortReader(buffer_))
{
    thread_.setObjectName(name_);
    reader_->moveToThread(&thread_);
    QObject::connect(&thread_, &QThread::finished, reader_, &QObject::deleteLater);
    thread_.start();
}

SerialLine::~SerialLine()
{
    QMetaObject::invokeMethod(reader_, &PortReader::close, Qt::BlockingQueuedConnection);
    thread_.quit();
    thread_.wait();
}

void SerialLine::setSettings(const QString& text)
{
    if (portOpen())
        fail(QStringLiteral("line settings cannot change while the port is open"));
    try {
        settings_ = parseLineSettings(text);
    } catch (const Failure& failure) {
        fail(failure.message());
    }
}

void SerialLine::setCommPort(int number)
{
    if (number < kLowestPort || number > kHighestPort)
        fail(QStringLiteral("port number %1 is not between %2 and %3")
                 .arg(number)
                 .arg(kLowestPort)
                 .arg(kHighestPort));
    if (portOpen())
        fail(QStringLiteral("the port cannot change while it is open"));
    device_ = platform::serialDevice(number);
}

void SerialLine::setInputLen(int length)
{
    if (length < 0)
        fail(QStringLiteral("read length %1 is negative").arg(length));
    inputLen_ = length;
}

void SerialLine::setPortOpen(bool open)
{
    if (!open) {
        QMetaObject::invokeMethod(reader_, &PortReader::close, Qt::BlockingQueuedConnection);
        inService_ = false;
        return;
    }
    if (device_.isEmpty())
        fail(QStringLiteral("no port number is set"));
    if (portOpen())
        fail(QStringLiteral("the port is already open"));
    const QString error = openDevice();
    if (!error.isEmpty())
        fail(QStringLiteral("cannot open: %1").arg(error));
    inService_ = true;
}

bool SerialLine::portOpen() const
{
    return reader_->isOpen();
}

int SerialLine::InBufferCount()
{
    if (buffer_.size() == 0)
        ensureOpen();
    return static_cast<int>(buffer_.size());
}

QString SerialLine::Input()
{
    QByteArray bytes = buffer_.take(inputLen_);
    if (bytes.isEmpty()) {
        ensureOpen();
        bytes = buffer_.take(inputLen_);
    }
    return QString::fromLatin1(bytes);
}

void SerialLine::Output(const QString& text)
{
    ensureOpen();
    QMetaObject::invokeMethod(
        reader_, [reader = reader_, bytes = text.toLatin1()] { reader->write(bytes); },
        Qt::QueuedConnection);
}

QString SerialLine::openDevice()
{
    QString error;
    QMetaObject::invokeMethod(
        reader_, [this] { return reader_->open(device_, settings_); }, Qt::BlockingQueuedConnection,
        &error);
    return error;
}

// What was received before a line failed is still handed over first. A line whose device
// failed (a USB adapter unplugged, say) opens itself again, with the same settings, at its
// next use, so that it serves again once the device is back.
void SerialLine::ensureOpen()
{
    if (portOpen())
        return;
    if (!inService_)
        fail(QStringLiteral("the port is not open"));
    const QString cause = reader_->failure();
    const QString error = openDevice();
    if (!error.isEmpty())
        fail(QStringLiteral("the device failed (%1) and cannot be opened again: %2")
                 .arg(cause, error));
}

void SerialLine::fail(const QString& cause) const
{
    const QString where = device_.isEmpty() ? name_ : QStringLiteral("%1 (%2)").arg(name_, device_);
    throw Failure(QStringLiteral("%1: %2").arg(where, cause));
}

} // namespace orva
