#include "StandardError.h"

#include "common/VisibleText.h"

#include <cstdio>

namespace orva {

void writeStandardError(QByteArrayView bytes)
{
    std::fwrite(bytes.data(), 1, static_cast<std::size_t>(bytes.size()), stderr);
    std::fflush(stderr);
}

void tellStandardError(const QString& message)
{
    writeStandardError("ORVA: " + visibleText(message).toLocal8Bit() + '\n');
}

} // namespace orva
