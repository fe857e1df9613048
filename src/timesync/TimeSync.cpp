#include "timesync/TimeSync.h"

#include "platform/RoundHalfToEven.h"
#include "timezone/DateTimeText.h"

#include <chrono>

namespace TimeSync {

namespace {
constexpr quint64 kEraSeconds = quint64(1) << 32;

// Whole and thousandths of a non-negative millisecond count, e.g. "1,234.005" or ".005".
QString secondsText(qint64 milliseconds, bool leadingZero, const QLocale& locale) {
    const qint64 whole = milliseconds / 1000;
    const QString wholeText = (whole == 0 && !leadingZero) ? QString() : locale.toString(whole);
    return wholeText + locale.decimalPoint() + DateTimeText::paddedNumber(milliseconds % 1000, 3, locale);
}
}  // namespace

qint64 NtpTimestampToMilliseconds(quint64 timestamp) {
    quint64 seconds = timestamp >> 32;
    if ((timestamp >> 63) == 0) {
        seconds += kEraSeconds;
    }
    const auto fractionMs =
        qint64(divideRoundHalfToEven(__int128(timestamp & 0xFFFFFFFFu) * 1000, kEraSeconds));
    return qint64(seconds) * 1000 + fractionMs;
}

qint64 NtpTimestampToUnixNanoseconds(quint64 timestamp) {
    quint64 seconds = timestamp >> 32;
    if ((timestamp >> 63) == 0) {
        seconds += kEraSeconds;
    }
    const auto fractionNs =
        qint64(divideRoundHalfToEven(__int128(timestamp & 0xFFFFFFFFu) * 1000000000, kEraSeconds));
    return qint64(seconds) * 1000000000 + fractionNs - kNanosecondsFrom1900To1970;
}

qint64 clockOffsetNs(const ExchangeTimes& t) {
    // 128 bits: the two legs of a clock decades off would overflow 64 bits when added.
    const __int128 sum =
        __int128(t.serverReceived) - t.requestSent + (__int128(t.serverSent) - t.replyReceived);
    return qint64(divideRoundHalfToEven(sum, 2));
}

qint64 roundTripNs(const ExchangeTimes& t) {
    return (t.replyReceived - t.requestSent) - (t.serverSent - t.serverReceived);
}

qint64 nanosecondsToMicroseconds(qint64 nanoseconds) {
    return qint64(divideRoundHalfToEven(nanoseconds, 1000));
}

qint64 nanosecondsToMilliseconds(qint64 nanoseconds) {
    return qint64(divideRoundHalfToEven(nanoseconds, 1000000));
}

qint64 monotonicNanoseconds() {
    return std::chrono::duration_cast<std::chrono::nanoseconds>(
               std::chrono::steady_clock::now().time_since_epoch())
        .count();
}

qint64 utcNanoseconds() {
    return std::chrono::duration_cast<std::chrono::nanoseconds>(
               std::chrono::system_clock::now().time_since_epoch())
        .count();
}

QString FormatSystemTimeMs(const QDateTime& time, const QLocale& locale) {
    return DateTimeText::dateTime(time, locale, DateTimeText::Midnight::Omitted,
                                  DateTimeText::Precision::Milliseconds);
}

QString formatRoundTrip(qint64 roundTripMs, const QLocale& locale) {
    return locale.toString(roundTripMs) + QStringLiteral(" msecs (") +
           secondsText(roundTripMs, true, locale) + QStringLiteral(" secs)");
}

QString formatDifference(qint64 differenceMs, const QLocale& locale) {
    const QString sign = differenceMs < 0 ? QStringLiteral("-") : QStringLiteral("+");
    return sign + secondsText(differenceMs < 0 ? -differenceMs : differenceMs, false, locale) +
           QStringLiteral(" secs");
}

}  // namespace TimeSync
