#include "ManualSms.h"

#include "PhoneNumber.h"
#include "common/ControlTable.h"
#include "common/Failure.h"
#include "config/SettingsStore.h"

#include <QCloseEvent>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>

namespace orva {
namespace {

const QColor kLightGrey(192, 192, 192);

std::vector<DesignedControl> controls()
{
    using K = ControlKind;
    return {
        {"ManualNo", K::TextBox, {}, {3000, 240, 2415, 285}, 1, 8},
        {"ManualMsg", K::TextBox, {}, {3000, 840, 2415, 315}, 2, 160},
        {"ManualSend", K::Button, "&Send", {2880, 1560, 1215, 375}, 3},
        {"ManualCancel", K::Button, "&Cancel", {4200, 1560, 1215, 375}, 4},
        {"ManualNoLabel", K::Label, "Enter the HandPhone Number for SMS :", {120, 240, 2850, 195}},
        {"ManualMsgLabel", K::Label, "Enter the Message to be sent :", {360, 720, 2175, 195}},
        {"ManualMsgLabel1", K::Label, "Maximum 160 Characters", {480, 960, 1785, 195}},
    };
}

void showMessage(QWidget* parent, QMessageBox::Icon icon, const QString& text)
{
    QMessageBox box(icon, QStringLiteral("ORVA"), text, QMessageBox::Ok, parent);
    box.exec();
}

} // namespace

ManualSms::ManualSms(SmsModem& modem, OutgoingSms& sms, const SettingsStore& settings,
                     std::chrono::milliseconds modemWait)
    : modem_(modem)
    , sms_(sms)
    , settings_(settings)
    , modemWait_(modemWait)
{
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowTitle(QStringLiteral("Manual SMS"));
    setFixedSize(pixelSizeFromTwips(5640, 2115));
    QPalette grey = palette();
    grey.setColor(QPalette::Window, kLightGrey);
    setPalette(grey);
    setAutoFillBackground(true);
    buildControls(*this, controls());
    ManualNo = findChild<QLineEdit*>(QStringLiteral("ManualNo"));
    ManualMsg = findChild<QLineEdit*>(QStringLiteral("ManualMsg"));
    ManualSend = findChild<QPushButton*>(QStringLiteral("ManualSend"));
    ManualCancel = findChild<QPushButton*>(QStringLiteral("ManualCancel"));
    connect(ManualSend, &QPushButton::clicked, this, &ManualSms::send);
    connect(ManualCancel, &QPushButton::clicked, this, &QWidget::close);
}

// Only a number that passes redirects the alarms; a rejected one leaves the number in force.
void ManualSms::send()
{
    const QString typed = ManualNo->text();
    if (!isPagerNumber(typed)) {
        showMessage(this, QMessageBox::Warning, QStringLiteral("Pager No. Must Be 8 Digits."));
        return;
    }
    sms_.SmsNumber = typed;
    sms_.SmsText = ManualMsg->text();
    modem_.ModemWaitMs = modemWait_;
    try {
        modem_.SendSms(sms_.SmsNumber, sms_.SmsText);
    } catch (const Failure& failure) {
        showMessage(this, QMessageBox::NoIcon, failure.message());
    }
}

void ManualSms::closeEvent(QCloseEvent* event)
{
    sms_.SmsNumber = settings_.text(kSlotC, Field::Port);
    event->accept();
}

} // namespace orva
