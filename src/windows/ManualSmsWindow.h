#pragma once

#include "ControlTable.h"
#include <QMessageBox>
#include <QWidget>

class QLineEdit;
class QPushButton;

namespace orva {

// The manual SMS window: an operator types a number and a message and asks for them to be
// sent; the program decides and answers through tell(). The window is discarded when it
// closes.
class ManualSmsWindow : public QWidget {
    Q_OBJECT

public:
    ManualSmsWindow();

    // Says something to the operator in a message box modal to this window; returns at once.
    void tell(QMessageBox::Icon icon, const QString& text);

signals:
    void sendRequested(const QString& number, const QString& text);
    void closing();

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    // The controls as designed; the window is built from them.
    static std::vector<DesignedControl> designedControls();

    QLineEdit* numberBox_ = nullptr;
    QLineEdit* messageTextBox_ = nullptr;
};

} // namespace orva
