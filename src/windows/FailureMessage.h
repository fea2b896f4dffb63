#pragma once

#include <QMessageBox>
#include <QPointer>
#include <QString>
#include <chrono>

namespace orva {

// The message that start-up failed, "Comm port error, Program exit", with the cause: said on
// standard error and to the service manager, and shown until the operator presses OK. Under a
// service manager nobody may be there to press it, so it closes by itself after a while.
class FailureMessage {
public:
    explicit FailureMessage(std::chrono::milliseconds unattendedWait);

    // Returns once the message is closed.
    void show(const QString& cause);
    // Closes the message as its OK would; false when it is not showing.
    bool acknowledge();

private:
    std::chrono::milliseconds unattendedWait_;
    QPointer<QMessageBox> box_;
};

} // namespace orva
