#include "OutgoingSms.h"

#include "PhoneNumber.h"

namespace orva {

bool OutgoingSms::takeTyped(const QString& typedNumber, const QString& typedText)
{
    if (!isPagerNumber(typedNumber))
        return false;
    number = typedNumber;
    text = typedText;
    return true;
}

} // namespace orva
