// The text form of a time-server record as a settings file holds it: the first byte picks the layout
// format, the rest is the text. Whatever is read must be written back so that it reads the same.
#include "FuzzCheck.h"
#include "timesync/TimeServer.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size == 0) {
        return 0;
    }
    const int format = data[0] % 4;
    const QString text =
        QString::fromUtf8(reinterpret_cast<const char*>(data + 1), static_cast<qsizetype>(size - 1));
    TimeServer first;
    first.setSerialize(format, text);
    // With no separator (format 3) a record cannot hold more than its first field.
    if (format != 3) {
        const QString written = first.Serialize(format);
        TimeServer second;
        FUZZ_CHECK(second.setSerialize(format, written));
        FUZZ_CHECK(second.Serialize(format) == written);
    }
    return 0;
}
