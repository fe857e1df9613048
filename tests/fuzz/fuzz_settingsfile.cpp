// The check that decides whether a settings file may be rewritten; it must decide on any bytes.
#include "platform/IniFileCheck.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    IniFileCheck::isWellFormed(QByteArray(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size)));
    return 0;
}
