#include "OutgoingSms.h"

#include "PhoneNumber.h"

namespace orva {

bool OutgoingSms::takeTyped(const QString& number, const QString& text)
{
    if (!isPagerNumber(number))
        return false;
    SmsNumber = number;
    SmsText = text;
    return true;
}

} // namespace orva
