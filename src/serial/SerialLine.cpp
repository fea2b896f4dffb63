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
        return;
    }
    if (device_.isEmpty())
        fail(QStringLiteral("no port number is set"));
    if (portOpen())
        fail(QStringLiteral("the port is already open"));
    QString error;
    QMetaObject::invokeMethod(
        reader_, [this] { return reader_->open(device_, settings_); }, Qt::BlockingQueuedConnection,
        &error);
    if (!error.isEmpty())
        fail(QStringLiteral("cannot open: %1").arg(error));
}

bool SerialLine::portOpen() const
{
    return reader_->isOpen();
}

int SerialLine::InBufferCount() const
{
    const qsizetype waiting = buffer_.size();
    if (waiting == 0)
        requireUsable();
    return static_cast<int>(waiting);
}

QString SerialLine::Input()
{
    QByteArray bytes = buffer_.take(inputLen_);
    if (bytes.isEmpty())
        requireUsable();
    return QString::fromLatin1(bytes);
}

void SerialLine::Output(const QString& text)
{
    requireUsable();
    QMetaObject::invokeMethod(
        reader_, [reader = reader_, bytes = text.toLatin1()] { reader->write(bytes); },
        Qt::QueuedConnection);
}

// What was received before a line failed is still handed over; after that every use fails.
void SerialLine::requireUsable() const
{
    if (portOpen())
        return;
    const QString cause = reader_->failure();
    fail(cause.isEmpty() ? QStringLiteral("the port is not open")
                         : QStringLiteral("the device failed: %1").arg(cause));
}

void SerialLine::fail(const QString& cause) const
{
    const QString where = device_.isEmpty() ? name_ : QStringLiteral("%1 (%2)").arg(name_, device_);
    throw Failure(QStringLiteral("%1: %2").arg(where, cause));
}

} // namespace orva
