#include "ReceiveBuffer.h"

#include "system/StandardError.h"

namespace orva {

ReceiveBuffer::ReceiveBuffer(QString owner, qsizetype capacity)
    : owner_(std::move(owner))
    , capacity_(capacity)
{
}

// Said once the lock is released: standard error may wait, and the owner must not wait with it.
void ReceiveBuffer::append(const QByteArray& bytes)
{
    if (keep(bytes))
        tellStandardError(owner_ +
                          QStringLiteral(": receive buffer full, received bytes are dropped"));
}

bool ReceiveBuffer::keep(const QByteArray& bytes)
{
    const std::lock_guard lock(mutex_);
    received_ += static_cast<quint64>(bytes.size());
    const qsizetype room = capacity_ - bytes_.size();
    bytes_.append(bytes.first(std::min(room, bytes.size())));
    if (bytes.size() <= room)
        return false;
    const bool firstDrop = dropped_ == 0;
    dropped_ += bytes.size() - room;
    return firstDrop;
}

QByteArray ReceiveBuffer::take(qsizetype maxBytes, qsizetype& dropped)
{
    const std::lock_guard lock(mutex_);
    dropped = std::exchange(dropped_, 0);
    if (maxBytes == 0 || maxBytes >= bytes_.size())
        return std::exchange(bytes_, {});
    QByteArray taken = bytes_.first(maxBytes);
    bytes_.remove(0, maxBytes);
    return taken;
}

quint64 ReceiveBuffer::received() const
{
    const std::lock_guard lock(mutex_);
    return received_;
}

qsizetype ReceiveBuffer::size() const
{
    const std::lock_guard lock(mutex_);
    return bytes_.size();
}

} // namespace orva
