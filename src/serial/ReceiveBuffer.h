#pragma once

#include <QByteArray>
#include <QString>
#include <mutex>

namespace orva {

// Bytes received on a line and not yet taken, filled by the line's own thread and emptied
// by its owner. What would overflow the capacity is dropped and counted: said at once on
// standard error, and handed to the owner with the next bytes it takes.
class ReceiveBuffer {
public:
    static constexpr qsizetype kDefaultCapacity = 1024 * 1024;

    explicit ReceiveBuffer(QString owner, qsizetype capacity = kDefaultCapacity);

    void append(const QByteArray& bytes);
    // Takes the oldest bytes, at most maxBytes of them, or all when maxBytes is 0. dropped
    // receives how many bytes were dropped since the buffer was last taken from, which ends
    // the episode of a full buffer.
    QByteArray take(qsizetype maxBytes, qsizetype& dropped);
    qsizetype size() const;
    // Every byte that ever arrived, kept or dropped.
    quint64 received() const;

private:
    // Keeps what fits; true when it drops the first bytes since the buffer was last taken from.
    bool keep(const QByteArray& bytes);

    const QString owner_;
    const qsizetype capacity_;
    mutable std::mutex mutex_;
    QByteArray bytes_;
    qsizetype dropped_ = 0;
    quint64 received_ = 0;
};

} // namespace orva
