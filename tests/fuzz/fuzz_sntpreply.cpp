// A datagram from the network: only 48 bytes parse, and every parsed reply gets a verdict without fault.
#include "FuzzCheck.h"
#include "timesync/SntpPacket.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const QByteArray datagram(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    const auto reply = SntpPacket::parse(datagram);
    FUZZ_CHECK(reply.has_value() == (size == SntpPacket::kSize));
    if (reply) {
        FUZZ_CHECK(reply->leapIndicator >= 0 && reply->leapIndicator <= 3);
        FUZZ_CHECK(reply->version >= 0 && reply->version <= 7);
        FUZZ_CHECK(reply->mode >= 0 && reply->mode <= 7);
        const auto why = SntpPacket::rejection(*reply);
        FUZZ_CHECK(!why || !why->isEmpty());
        FUZZ_CHECK(SntpPacket::kissCode(reply->referenceId).size() == 4);
    }
    return 0;
}
