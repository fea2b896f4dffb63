#pragma once

#include <QByteArray>
#include <QString>
#include <QTemporaryDir>
#include <chrono>
#include <functional>
#include <vector>

namespace orva::test {

// A service manager's notification socket, as systemd gives a service in NOTIFY_SOCKET: a Unix
// datagram socket of the test's own, noting every message with the time it arrived.
class NotifySocket {
public:
    struct Message {
        std::chrono::steady_clock::time_point at;
        QByteArray text;
    };

    NotifySocket();
    ~NotifySocket();
    NotifySocket(const NotifySocket&) = delete;
    NotifySocket& operator=(const NotifySocket&) = delete;

    QString path() const { return path_; }
    // Takes in what arrived, waiting up to the timeout for a message holding the text; whether
    // one came.
    bool waitFor(const QByteArray& text, std::chrono::milliseconds timeout);
    // Takes in what arrives for the given time.
    void listen(std::chrono::milliseconds period);
    const std::vector<Message>& messages() const { return messages_; }
    // Every message holding the text, in order.
    std::vector<Message> matching(const QByteArray& text) const;

private:
    bool receive(std::chrono::milliseconds wait);
    // Takes in what arrives until done says so, or the period has passed; whether it did.
    bool receiveUntil(std::chrono::milliseconds period, const std::function<bool()>& done);

    QTemporaryDir dir_;
    QString path_;
    int socket_ = -1;
    std::vector<Message> messages_;
};

} // namespace orva::test
