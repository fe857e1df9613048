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

qint64 addHalfRoundTrip(qint64 transmitMs, qint64 roundTripMs) {
    return qint64(divideRoundHalfToEven(__int128(transmitMs) * 2 + roundTripMs, 2));
}

quint32 TickCountUnsigned() {
    const auto sinceStart = std::chrono::steady_clock::now().time_since_epoch();
    return static_cast<quint32>(std::chrono::duration_cast<std::chrono::milliseconds>(sinceStart).count());
}

qint64 ElapsedMilliseconds(quint32 start, quint32 now) {
    qint64 current = now;
    if (now < start) {
        current += qint64(kEraSeconds);
    }
    return current - start;
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
