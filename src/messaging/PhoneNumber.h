#pragma once

#include <QStringView>

namespace orva {

// Whether a number can stand between the quotes of the send command: a double quote or a
// control character would end the command early and let the rest reach the modem as a
// command of its own.
[[nodiscard]] bool isSafeNumber(QStringView number);

// Whether a number typed in the manual window passes: its numeric value has eight digits, and
// the modem may be given it.
[[nodiscard]] bool isPagerNumber(QStringView typed);

} // namespace orva
