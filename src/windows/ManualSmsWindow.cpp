#include "ManualSmsWindow.h"

#include "ControlTable.h"

#include <QCloseEvent>
#include <QLineEdit>
#include <QPushButton>

namespace orva {
namespace {

const QColor kLightGrey(192, 192, 192);

} // namespace

std::vector<DesignedControl> ManualSmsWindow::designedControls()
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

ManualSmsWindow::ManualSmsWindow()
{
    setAttribute(Qt::WA_DeleteOnClose);
    QPalette grey = palette();
    grey.setColor(QPalette::Window, kLightGrey);
    setPalette(grey);
    setAutoFillBackground(true);
    buildWindow(*this, {"ManualSms", "Manual SMS", 5640, 2115}, designedControls());
    numberBox_ = findChild<QLineEdit*>(QStringLiteral("ManualNo"));
    messageTextBox_ = findChild<QLineEdit*>(QStringLiteral("ManualMsg"));
    connect(findChild<QPushButton*>(QStringLiteral("ManualSend")), &QPushButton::clicked, this,
            [this] { emit sendRequested(numberBox_->text(), messageTextBox_->text()); });
    connect(findChild<QPushButton*>(QStringLiteral("ManualCancel")), &QPushButton::clicked, this,
            &QWidget::close);
}

// Shown without waiting for the OK: a box waiting inside a scan's settle wait would hold up
// the wait, and every alarm with it, until somebody came back to it.
void ManualSmsWindow::tell(QMessageBox::Icon icon, const QString& text)
{
    auto* box = new QMessageBox(icon, QStringLiteral("ORVA"), text, QMessageBox::Ok, this);
    box->setAttribute(Qt::WA_DeleteOnClose);
    box->open();
}

void ManualSmsWindow::closeEvent(QCloseEvent* event)
{
    emit closing();
    event->accept();
}

} // namespace orva
