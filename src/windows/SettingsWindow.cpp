#include "SettingsWindow.h"

#include "ControlTable.h"

#include <QLineEdit>
#include <QPushButton>

namespace orva {
namespace {

// The arrays of text boxes holding each field, by field.
constexpr const char* kBoxArrays[kFieldCount] = {"Text1", "Text7", "Text8"};

QString boxName(int slot, Field field)
{
    return QStringLiteral("%1(%2)")
        .arg(QLatin1String(kBoxArrays[static_cast<int>(field)]))
        .arg(slot);
}

DesignedControl keyLabel(const char* name, int slot, Field field, TwipsRect rect, int tab)
{
    return {QStringLiteral("%1(%2)").arg(QLatin1String(name)).arg(slot), ControlKind::Label,
            settingsKey(slot, field), rect, tab};
}

DesignedControl fieldBox(int slot, Field field, TwipsRect rect, int tab)
{
    return {boxName(slot, field), ControlKind::TextBox, {}, rect, tab};
}

} // namespace

// Slots A and B and the handphone number lie in the visible area; the rest lies beyond it.
std::vector<DesignedControl> SettingsWindow::designedControls()
{
    using enum Field;
    using K = ControlKind;
    return {
        keyLabel("Label1", 0, Port, {120, 120, 855, 255}, 1),
        fieldBox(0, Port, {1200, 120, 1815, 285}, 0),
        keyLabel("Label1", 1, Port, {3120, 120, 855, 255}, 21),
        fieldBox(1, Port, {4200, 120, 1815, 285}, 19),
        keyLabel("Label1", 2, Port, {6360, 120, 975, 255}, 25),
        fieldBox(2, Port, {7320, 120, 1815, 285}, 23),
        keyLabel("Label7", 0, LineSettings, {120, 480, 1095, 255}, 16),
        fieldBox(0, LineSettings, {1200, 480, 1815, 285}, 15),
        keyLabel("Label7", 1, LineSettings, {3120, 480, 1095, 255}, 20),
        fieldBox(1, LineSettings, {4200, 480, 1815, 285}, 18),
        {"Command4", K::Button, "Close", {7320, 600, 1815, 375}, 39},
        keyLabel("Label9", 0, Length, {120, 840, 975, 375}, 34),
        fieldBox(0, Length, {1200, 840, 1815, 285}, 30),
        keyLabel("Label9", 1, Length, {3120, 840, 975, 375}, 35),
        fieldBox(1, Length, {4200, 840, 1815, 285}, 31),
        {"Label10", K::Label, "Port A: SMS modem" + QString(11, u' '), {120, 1200, 1935, 255}, 38},
        {"Label11", K::Label, "Port B: Alarm Port", {3120, 1200, 2775, 375}, 40},
        {"Label8", K::Label, "TO CHANGE SETTINGS EDIT settings.ini", {6120, 1200, 3135, 255}, 17},
        keyLabel("Label1", 3, Port, {9480, 1440, 975, 255}, 29),
        fieldBox(3, Port, {10440, 1440, 1815, 285}, 27),
        keyLabel("Label7", 2, LineSettings, {6360, 1800, 1095, 255}, 24),
        fieldBox(2, LineSettings, {7440, 1800, 1815, 285}, 22),
        keyLabel("Label7", 3, LineSettings, {9360, 1800, 1095, 255}, 28),
        fieldBox(3, LineSettings, {10440, 1800, 1815, 285}, 26),
        keyLabel("Label9", 2, Length, {6360, 2160, 975, 375}, 36),
        fieldBox(2, Length, {7440, 2160, 1815, 285}, 32),
        keyLabel("Label9", 3, Length, {9360, 2160, 975, 375}, 37),
        fieldBox(3, Length, {10440, 2160, 1815, 285}, 33),
        {"Label2", K::Label, "IP ADDR:", {1800, 2040, 735, 255}, 3},
        {"Text2", K::TextBox, "Text2", {2760, 2040, 2295, 285}, 2},
        {"Label3", K::Label, "NODENAME:", {1800, 2520, 855, 255}, 5},
        {"Text3", K::TextBox, "Text3", {2760, 2520, 2295, 285}, 4},
        {"Label4", K::Label, "DB:", {1800, 3000, 975, 255}, 7},
        {"Text4", K::TextBox, "Text4", {2760, 3000, 2295, 285}, 6},
        {"Label5", K::Label, "Tag1:", {1800, 3480, 975, 255}, 10},
        {"Text5", K::TextBox, "Text5", {2760, 3480, 2295, 285}, 8},
        {"Label6", K::Label, "Tag10:", {1800, 3960, 975, 255}, 11},
        {"Text6", K::TextBox, "Text6", {2760, 3960, 2295, 285}, 9},
        {"Command1", K::Button, "read ini", {1560, 4440, 1215, 495}, 12},
        {"Command2", K::Button, "Command2", {3480, 4440, 1095, 495}, 13},
        {"Command3", K::Button, "Command3", {4800, 4440, 975, 495}, 14},
    };
}

SettingsWindow::SettingsWindow(const SettingsStore& store)
    : store_(store)
{
    buildWindow(*this, {"Form3", "COM SETTINGS", 9420, 1530}, designedControls());
    for (QLineEdit* box : findChildren<QLineEdit*>())
        box->setReadOnly(true);
    connect(findChild<QPushButton*>(QStringLiteral("Command4")), &QPushButton::clicked, this,
            &QWidget::hide);
    showStore();
}

void SettingsWindow::showComputerName(const QString& name)
{
    showText(*box(kSlotC, Field::LineSettings), name);
}

QLineEdit* SettingsWindow::box(int slot, Field field) const
{
    return findChild<QLineEdit*>(boxName(slot, field));
}

void SettingsWindow::showStore()
{
    for (int slot = 0; slot < kSlotCount; ++slot)
        for (const Field field : {Field::Port, Field::LineSettings, Field::Length})
            showText(*box(slot, field), store_.text(slot, field));
}

} // namespace orva
