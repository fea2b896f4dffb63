#pragma once

#include "Twips.h"

#include <QLineEdit>
#include <QString>
#include <QWidget>
#include <vector>

namespace orva {

enum class ControlKind { Label, TextBox, Button };

// One control of a window as designed: what it is, where it stands and its place in the
// tab order (labels take no focus). Windows are built from tables of these.
struct DesignedControl {
    QString name;
    ControlKind kind;
    QString text;
    TwipsRect rect;
    int tabIndex = 0;
    int maxLength = 0; // text boxes only; 0 leaves the box's own limit
};

// Sets a box's whole text, shown from its first character rather than its end.
void showText(QLineEdit& box, const QString& text);

// Creates every control of the table on the window, named as in the table, and chains the
// focusable ones in their tab order.
void buildControls(QWidget& window, const std::vector<DesignedControl>& table);

} // namespace orva
