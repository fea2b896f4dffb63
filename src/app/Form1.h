#pragma once

#include "alarm/AlarmDisplay.h"
#include "common/ControlTable.h"

#include <QPushButton>
#include <QWidget>
#include <array>

class QLineEdit;

namespace orva {

// The main window: the status line, the 25 alarm lines, the buttons that open the other two
// windows. It shows; the program object beside it does the work.
class Form1 : public QWidget, public AlarmDisplay {
    Q_OBJECT

public:
    Form1();

    void setLine(int box, const QString& text) override;
    QString line(int box) const override;

    QLineEdit* Text1(int box) const { return text1_.at(static_cast<std::size_t>(box)); }
    QPushButton* Command1() const { return command1_; } // "Settings"
    QPushButton* Command2() const { return command2_; } // "Manual SMS"

    static QString GetComputerName();

signals:
    // The window is closing, whatever closed it.
    void unloading();

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    // The controls as designed; the window is built from them.
    static std::vector<DesignedControl> designedControls();

    std::array<QLineEdit*, AlarmDisplay::kBoxCount> text1_{};
    QPushButton* command1_ = nullptr;
    QPushButton* command2_ = nullptr;
};

} // namespace orva
