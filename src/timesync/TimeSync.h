#pragma once

#include <QDateTime>
#include <QLocale>
#include <QString>

// Time and text helpers of the SNTP exchange. The exchange is computed in whole nanoseconds and
// shown in milliseconds, halves to even, so integer arithmetic gives the exact result.
namespace TimeSync {

constexpr qint64 kMillisecondsFrom1900To1970 = 2208988800LL * 1000;
constexpr qint64 kNanosecondsFrom1900To1970 = kMillisecondsFrom1900To1970 * 1000 * 1000;

// An NTP timestamp (seconds since 1900 in the upper 32 bits, the fraction in the lower 32) in
// whole milliseconds since 1900-01-01 UTC. A timestamp whose top bit is clear lies in era 1,
// from 2036-02-07 06:28:16 UTC on.
qint64 NtpTimestampToMilliseconds(quint64 timestamp);

// The same timestamp in nanoseconds since 1970-01-01 UTC (to the nearest, halves to even).
qint64 NtpTimestampToUnixNanoseconds(quint64 timestamp);

// The four moments of one exchange, in nanoseconds since 1970 on the clock each side keeps: our
// request left (T1), the server received it (T2) and answered (T3), the answer reached us (T4).
struct ExchangeTimes {
    qint64 requestSent = 0;
    qint64 serverReceived = 0;
    qint64 serverSent = 0;
    qint64 replyReceived = 0;
};
// How far the server's clock is ahead of ours: ((T2 - T1) + (T3 - T4)) / 2. The time the server
// held the request cancels out, and so does the network delay when it is the same both ways.
qint64 clockOffsetNs(const ExchangeTimes& times);
// The time on the network: (T4 - T1) - (T3 - T2), without the server's own delay.
qint64 roundTripNs(const ExchangeTimes& times);
// Nanoseconds to the nearest micro- or millisecond, halves to even.
qint64 nanosecondsToMicroseconds(qint64 nanoseconds);
qint64 nanosecondsToMilliseconds(qint64 nanoseconds);

// Monotonic nanoseconds, unaffected by setting the clock; and the wall clock, since 1970 UTC.
qint64 monotonicNanoseconds();
qint64 utcNanoseconds();

// A UTC date and time as the locale's general date-time text (the time omitted at exactly
// midnight) with "." and the milliseconds after the seconds.
QString FormatSystemTimeMs(const QDateTime& time, const QLocale& locale = QLocale());

// "118 msecs (0.118 secs)" in the locale's number symbols.
QString formatRoundTrip(qint64 roundTripMs, const QLocale& locale = QLocale());
// "+.250 secs", "-1.375 secs", "+.000 secs": three decimals, no leading zero, always a sign; the
// locale's digits and decimal point.
QString formatDifference(qint64 differenceMs, const QLocale& locale = QLocale());

}  // namespace TimeSync
