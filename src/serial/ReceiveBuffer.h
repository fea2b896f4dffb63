#pragma once

#include <QByteArray>
#include <QString>
#include <mutex>

namespace orva {

// Bytes received on a line and not yet taken, filled by the line's own thread and emptied
// by its owner. What would overflow the capacity is dropped, and said once on standard error
// each time the buffer runs full.
class ReceiveBuffer {
public:
    static constexpr qsizetype kDefaultCapacity = 1024 * 1024;

    explicit ReceiveBuffer(QString owner, qsizetype capacity = kDefaultCapacity);

    void append(const QByteArray& bytes);
    // Takes the oldest bytes, at most maxBytes of them, or all when maxBytes is 0.
    QByteArray take(qsizetype maxBytes = 0);
    qsizetype size() const;

private:
    const QString owner_;
    const qsizetype capacity_;
    mutable std::mutex mutex_;
    QByteArray bytes_;
    bool overflowReported_ = false;
};

} // namespace orva
