#pragma once

#include "OutgoingSms.h"
#include "SmsModem.h"

#include <QWidget>
#include <chrono>

class QLineEdit;
class QPushButton;

namespace orva {

class SettingsStore;

// The manual SMS window: an operator types a number and a message and sends it. After an
// accepted send, alarms too go to the typed number until the window closes; closing it puts
// the configured handphone number back. The window is discarded when it closes.
class ManualSms : public QWidget {
    Q_OBJECT

public:
    ManualSms(SmsModem& modem, OutgoingSms& sms, const SettingsStore& settings,
              std::chrono::milliseconds modemWait = SmsModem::kModemWait);

    QLineEdit* ManualNo = nullptr;
    QLineEdit* ManualMsg = nullptr;
    QPushButton* ManualSend = nullptr;
    QPushButton* ManualCancel = nullptr;

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void send();

    SmsModem& modem_;
    OutgoingSms& sms_;
    const SettingsStore& settings_;
    std::chrono::milliseconds modemWait_;
};

} // namespace orva
