#pragma once

#include "common/ControlTable.h"
#include <QMessageBox>
#include <QWidget>

class QLineEdit;
class QPushButton;

namespace orva {

// The manual SMS window: an operator types a number and a message and asks for them to be
// sent; the program decides and answers through tell(). The window is discarded when it
// closes.
class ManualSms : public QWidget {
    Q_OBJECT

public:
    ManualSms();

    // Says something to the operator in a message box modal to this window; returns at once.
    void tell(QMessageBox::Icon icon, const QString& text);

    QLineEdit* ManualNo = nullptr;
    QLineEdit* ManualMsg = nullptr;
    QPushButton* ManualSend = nullptr;
    QPushButton* ManualCancel = nullptr;

signals:
    void sendRequested(const QString& number, const QString& text);
    void closing();

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    // The controls as designed; the window is built from them.
    static std::vector<DesignedControl> designedControls();
};

} // namespace orva
