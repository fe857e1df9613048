#pragma once

#include <QDateTime>
#include <QLocale>
#include <QString>

// Time and text helpers of the SNTP exchange. Times are whole milliseconds: the server's time is
// rounded to three decimals, halves to even, so integer arithmetic gives the exact result.
namespace TimeSync {

constexpr qint64 kMillisecondsFrom1900To1970 = 2208988800LL * 1000;

// An NTP timestamp (seconds since 1900 in the upper 32 bits, the fraction in the lower 32) in
// whole milliseconds since 1900-01-01 UTC. A timestamp whose top bit is clear lies in era 1,
// from 2036-02-07 06:28:16 UTC on.
qint64 NtpTimestampToMilliseconds(quint64 timestamp);

// The server's transmit time plus half the round trip, to whole milliseconds (halves to even).
qint64 addHalfRoundTrip(qint64 transmitMs, qint64 roundTripMs);

// The monotonic millisecond tick count, wrapping at 2^32 like a 32-bit tick counter.
quint32 TickCountUnsigned();
// Milliseconds from `start` to `now`, across one wrap of the tick count.
qint64 ElapsedMilliseconds(quint32 start, quint32 now);

// A UTC date and time as the locale's general date-time text (the time omitted at exactly
// midnight) with "." and the milliseconds after the seconds.
QString FormatSystemTimeMs(const QDateTime& time, const QLocale& locale = QLocale());

// "118 msecs (0.118 secs)" in the locale's number symbols.
QString formatRoundTrip(qint64 roundTripMs, const QLocale& locale = QLocale());
// "+.250 secs", "-1.375 secs", "+.000 secs": three decimals, no leading zero, always a sign; the
// locale's digits and decimal point.
QString formatDifference(qint64 differenceMs, const QLocale& locale = QLocale());

}  // namespace TimeSync
