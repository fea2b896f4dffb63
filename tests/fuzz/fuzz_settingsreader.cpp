#include "config/SettingsReader.h"
#include "config/SettingsStore.h"

#include <QBuffer>
#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    QBuffer file;
    file.setData(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    file.open(QIODevice::ReadOnly);
    orva::SettingsStore store;
    orva::readSettings(file, store);
    for (int slot = 0; slot < orva::kSlotCount; ++slot)
        for (const auto field : {orva::Field::Port, orva::Field::LineSettings, orva::Field::Length})
            if (store.text(slot, field).size() > 20)
                std::abort(); // values are cut at 20 characters
    return 0;
}
