#include "MainWindow.h"

#include "ControlTable.h"

#include <QCloseEvent>
#include <QLineEdit>
#include <limits>

namespace orva {
namespace {

constexpr int kBoxLeft = 120;
constexpr int kBoxTop = 360;
constexpr int kBoxPitch = 240; // boxes are 285 high, so each overlaps the next
constexpr int kBoxWidth = 6885;
constexpr int kBoxHeight = 285;
// A record of any length is shown whole, as it is sent.
constexpr int kBoxLimit = std::numeric_limits<int>::max();

QString boxName(int box)
{
    return QStringLiteral("Text1(%1)").arg(box);
}

} // namespace

std::vector<DesignedControl> MainWindow::designedControls()
{
    std::vector<DesignedControl> table{
        {"Label1(0)", ControlKind::Label, "Alarm Port Data", {240, 120, 1155, 255}, 0},
        {"Command1", ControlKind::Button, "Settings", {7080, 360, 1215, 375}, 1},
        {"Command2", ControlKind::Button, "Manual SMS", {7080, 960, 1215, 375}, 3},
    };
    for (int box = 0; box < AlarmDisplay::kBoxCount; ++box)
        table.push_back({boxName(box),
                         ControlKind::TextBox,
                         "0",
                         {kBoxLeft, kBoxTop + kBoxPitch * box, kBoxWidth, kBoxHeight},
                         box == 0 ? 2 : box + 3,
                         kBoxLimit});
    return table;
}

MainWindow::MainWindow()
{
    buildWindow(*this, {"Form1", "ORVA", 8625, 6840}, designedControls());
    for (int box = 0; box < AlarmDisplay::kBoxCount; ++box) {
        lineBoxes_.at(static_cast<std::size_t>(box)) = findChild<QLineEdit*>(boxName(box));
        lineBox(box)->setReadOnly(true);
    }
    settingsButton_ = findChild<QPushButton*>(QStringLiteral("Command1"));
    manualSmsButton_ = findChild<QPushButton*>(QStringLiteral("Command2"));
}

void MainWindow::setLine(int box, const QString& text)
{
    showText(*lineBox(box), text); // long records show from their start
}

QString MainWindow::line(int box) const
{
    return lineBox(box)->text();
}

void MainWindow::closeEvent(QCloseEvent* event)
{
    emit closing();
    event->accept();
}

} // namespace orva
