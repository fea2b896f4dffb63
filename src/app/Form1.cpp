#include "Form1.h"

#include "common/ControlTable.h"
#include "common/Platform.h"

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

std::vector<DesignedControl> Form1::designedControls()
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

Form1::Form1()
{
    setWindowTitle(QStringLiteral("ORVA"));
    setFixedSize(pixelSizeFromTwips(8625, 6840));
    buildControls(*this, designedControls());
    for (int box = 0; box < AlarmDisplay::kBoxCount; ++box) {
        text1_.at(static_cast<std::size_t>(box)) = findChild<QLineEdit*>(boxName(box));
        Text1(box)->setReadOnly(true);
    }
    command1_ = findChild<QPushButton*>(QStringLiteral("Command1"));
    command2_ = findChild<QPushButton*>(QStringLiteral("Command2"));
}

void Form1::setLine(int box, const QString& text)
{
    showText(*Text1(box), text); // long records show from their start
}

QString Form1::line(int box) const
{
    return Text1(box)->text();
}

QString Form1::GetComputerName()
{
    return platform::computerName();
}

void Form1::closeEvent(QCloseEvent* event)
{
    emit unloading();
    event->accept();
}

} // namespace orva
