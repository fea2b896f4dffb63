#include "ReceiveBuffer.h"

#include <cstdio>

namespace orva {

ReceiveBuffer::ReceiveBuffer(QString owner, qsizetype capacity)
    : owner_(std::move(owner))
    , capacity_(capacity)
{
}

void ReceiveBuffer::append(const QByteArray& bytes)
{
    const std::lock_guard lock(mutex_);
    received_ += static_cast<quint64>(bytes.size());
    const qsizetype room = capacity_ - bytes_.size();
    bytes_.append(bytes.first(std::min(room, bytes.size())));
    if (bytes.size() <= room)
        return;
    if (dropped_ == 0)
        std::fprintf(stderr, "ORVA: %s: receive buffer full, received bytes are dropped\n",
                     qPrintable(owner_));
    dropped_ += bytes.size() - room;
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
