#include "FailureMessage.h"

#include "common/VisibleText.h"
#include "system/ServiceManager.h"
#include "system/StandardError.h"

#include <QPushButton>
#include <QTimer>

namespace orva {

FailureMessage::FailureMessage(std::chrono::milliseconds unattendedWait)
    : unattendedWait_(unattendedWait)
{
}

// Closed by itself, the message lets ORVA end and be started again, so that it takes a modem
// plugged in meanwhile.
void FailureMessage::show(const QString& cause)
{
    tellStandardError(QStringLiteral("start-up failed: ") + cause);
    const QString message = QStringLiteral("Comm port error, Program exit");
    service::status(message + QStringLiteral(": ") + visibleText(cause));
    QMessageBox box(QMessageBox::NoIcon, QStringLiteral("ORVA"), message, QMessageBox::Ok);
    box.setInformativeText(visibleText(cause));
    box_ = &box;
    if (service::supervised())
        QTimer::singleShot(unattendedWait_, &box, [this] { acknowledge(); });
    box.exec();
}

bool FailureMessage::acknowledge()
{
    if (!box_)
        return false;
    box_->button(QMessageBox::Ok)->click();
    return true;
}

} // namespace orva
