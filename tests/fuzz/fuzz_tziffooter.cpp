// A compiled zone file from disk: its footer is found or refused without reading past the end,
// and the rule in it goes through the same parser as the TZ variable.
#include "timezone/PosixTzRule.h"
#include "timezone/TzifFooter.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const QByteArray bytes(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    if (const auto footer = TzifFooter::read(bytes)) {
        PosixTzRule::parse(*footer);
    }
    return 0;
}
