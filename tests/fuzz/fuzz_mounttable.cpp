// Lines of /proc/self/mountinfo, where mount points and sources carry the kernel's octal escapes.
#include "FuzzCheck.h"
#include "platform/linux/LinuxMountTable.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const QByteArray text(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    for (const LinuxMountTable::Entry& entry : LinuxMountTable::parse(text)) {
        FUZZ_CHECK(!entry.mountPoint.isEmpty());
    }
    LinuxMountTable::decodeEscapes(text);
    return 0;
}
