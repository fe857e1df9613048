// A TZ variable's rule: whatever parses must turn into change-over dates without fault.
#include "FuzzCheck.h"
#include "timezone/PosixTzRule.h"
#include "timezone/ZoneInformationReader.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const QString text = QString::fromUtf8(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    const auto rule = PosixTzRule::parse(text);
    if (rule) {
        // Offsets are limited to 24:59:59 by the rule's syntax; anything else escaped the checks.
        FUZZ_CHECK(qAbs(rule->standardOffsetSeconds) < 25 * 3600);
        for (const int year : {1970, 2024, 2100}) {
            ZoneInformationReader::fromRule(*rule, year);
        }
    }
    return 0;
}
