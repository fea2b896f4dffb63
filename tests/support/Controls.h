#pragma once

#include <QString>
#include <QWidget>
#include <QtGlobal>

namespace orva::test {

// A window's control found by its designed name, as operators' tools find it; a name the window
// lacks ends the test.
template <typename Control> Control* control(const QWidget& window, const QString& name)
{
    auto* found = window.findChild<Control*>(name);
    if (!found)
        qFatal("%s has no control %s", qPrintable(window.objectName()), qPrintable(name));
    return found;
}

// The settings window's box of a field: Text1, Text7 or Text8 by field, indexed by slot.
inline QString settingsBoxName(int slot, int field)
{
    static const char* const arrays[] = {"Text1", "Text7", "Text8"};
    return QStringLiteral("%1(%2)").arg(QLatin1String(arrays[field])).arg(slot);
}

} // namespace orva::test
