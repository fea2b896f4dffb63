#pragma once

#include <QString>
#include <QStringView>

namespace orva {

// A text as an operator can read it on one line: CR, LF, tab and NUL as \r, \n, \t and \0,
// every other control character as \xNN. Nothing else changes.
QString visibleText(QStringView text);

} // namespace orva
