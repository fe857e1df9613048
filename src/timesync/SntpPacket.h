#pragma once

#include <QByteArray>
#include <QString>
#include <optional>

// The 48-byte SNTP datagram: the request we send and the fields of a reply we look at.
namespace SntpPacket {

constexpr int kSize = 48;
constexpr char kRequestHeader = 0x1B;  // leap indicator 0, version 3, mode 3 (client)

// A client request: byte 0 is 0x1B, the transmit timestamp (bytes 40 to 47) is `transmit`, and
// every other byte is 0. A random transmit timestamp lets us tell our reply from any other.
QByteArray request(quint64 transmit);
// A non-zero random timestamp for a request.
quint64 randomTransmitTimestamp();

struct Reply {
    int leapIndicator = 0;
    int version = 0;
    int mode = 0;
    int stratum = 0;
    QByteArray referenceId;  // bytes 12 to 15: the kiss-o'-death code when the stratum is 0
    quint64 originate = 0;   // bytes 24 to 31: our transmit timestamp, echoed
    quint64 receive = 0;     // bytes 32 to 39: when the server received the request
    quint64 transmit = 0;    // bytes 40 to 47: when the server sent the reply
};

// The fields of a datagram of exactly 48 bytes; nothing for any other size.
std::optional<Reply> parse(const QByteArray& datagram);

// Why a reply of ours must not set the clock, as one log line; nothing when it may.
std::optional<QString> rejection(const Reply& reply);

// A kiss-o'-death code as printable text ("RATE"); other bytes become "?".
QString kissCode(const QByteArray& referenceId);

}  // namespace SntpPacket
