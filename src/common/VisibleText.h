#pragma once

#include <QString>
#include <QStringView>

namespace orva {

// A text as an operator can read it on one line: CR, LF, tab and NUL as \r, \n, \t and \0,
// every other control character, DEL and the 8-bit controls 0x80 to 0x9F among them, as \xNN,
// so that no terminal acts on it. Nothing else changes.
QString visibleText(QStringView text);

} // namespace orva
