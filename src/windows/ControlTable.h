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

// A window as designed: its name, its caption and the size of its client area in twips.
struct DesignedWindow {
    QString name;
    QString caption;
    int width;
    int height;
};

// Sets a box's whole text, shown from its first character rather than its end.
void showText(QLineEdit& box, const QString& text);

// Names, captions and sizes the window as designed, creates every control of the table on it,
// named as in the table, and chains the focusable ones in their tab order.
void buildWindow(QWidget& window, const DesignedWindow& design,
                 const std::vector<DesignedControl>& table);

} // namespace orva
