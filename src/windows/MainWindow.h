#pragma once

#include "ControlTable.h"
#include "alarm/AlarmDisplay.h"

#include <QPushButton>
#include <QWidget>
#include <array>

class QLineEdit;

namespace orva {

// The main window: the status line, the 25 alarm lines, the buttons that open the other two
// windows. It shows; the program object beside it does the work.
class MainWindow : public QWidget, public AlarmDisplay {
    Q_OBJECT

public:
    MainWindow();

    void setLine(int box, const QString& text) override;
    QString line(int box) const;

    QLineEdit* statusLine() const { return lineBox(0); }
    QPushButton* settingsButton() const { return settingsButton_; }
    QPushButton* manualSmsButton() const { return manualSmsButton_; }

signals:
    // The window is closing, whatever closed it.
    void closing();

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    // The controls as designed; the window is built from them.
    static std::vector<DesignedControl> designedControls();
    // Box 0 is the status line, boxes 1 to 25 the alarm lines.
    QLineEdit* lineBox(int box) const { return lineBoxes_.at(static_cast<std::size_t>(box)); }

    std::array<QLineEdit*, AlarmDisplay::kBoxCount> lineBoxes_{};
    QPushButton* settingsButton_ = nullptr;
    QPushButton* manualSmsButton_ = nullptr;
};

} // namespace orva
