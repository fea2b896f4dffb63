#pragma once

#include <QString>

namespace orva {

// The destination and body of the next SMS, shared by the alarm scan and the manual window:
// while the manual window is open after an accepted send, alarms go to the number typed there.
struct OutgoingSms {
    QString number;
    QString text;

    // A send typed in the manual window. A number that passes the eight-digit rule becomes the
    // destination, of the alarms too; one that fails changes nothing. Returns whether it passed.
    [[nodiscard]] bool takeTyped(const QString& typedNumber, const QString& typedText);
    // The manual window has closed: the alarms go to the handphone number again.
    void manualWindowClosed(const QString& handphoneNumber) { number = handphoneNumber; }
};

} // namespace orva
