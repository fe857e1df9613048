// The salvage of a settings file must cope with any bytes, and what it keeps must need no more mending.
#include "platform/linux/IniFileCheck.h"

#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const IniFileCheck::Salvage first =
        IniFileCheck::salvage(QByteArray(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size)));
    const IniFileCheck::Salvage second = IniFileCheck::salvage(first.content);
    if (second.changed()) {
        std::abort();  // salvaged content must read cleanly
    }
    return 0;
}
