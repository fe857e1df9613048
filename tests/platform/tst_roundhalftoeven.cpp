#include "platform/RoundHalfToEven.h"

#include <QtTest>
#include <cfenv>
#include <cmath>

class RoundHalfToEvenTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void nearestWhole_data() {
        QTest::addColumn<double>("value");
        QTest::addColumn<double>("rounded");
        QTest::newRow("half, even below") << 2.5 << 2.0;
        QTest::newRow("half, odd below") << 3.5 << 4.0;
        QTest::newRow("half of zero") << 0.5 << 0.0;
        QTest::newRow("negative half, even") << -2.5 << -2.0;
        QTest::newRow("negative half, odd") << -3.5 << -4.0;
        QTest::newRow("just under a half") << 2.4999999999999996 << 2.0;
        QTest::newRow("just over a half") << 2.5000000000000004 << 3.0;
        QTest::newRow("negative, just over a half") << -2.5000000000000004 << -3.0;
        QTest::newRow("largest halves, odd") << 4503599627370495.5 << 4503599627370496.0;
        QTest::newRow("largest halves, even") << 4503599627370494.5 << 4503599627370494.0;
        QTest::newRow("beyond any fraction") << 1e300 << 1e300;
        QTest::newRow("infinity") << -HUGE_VAL << -HUGE_VAL;
    }
    // Whatever mode the process runs in: std::nearbyint would give 3 and -2 here rounding upwards.
    void nearestWhole() {
        QFETCH(double, value);
        QFETCH(double, rounded);
        for (const int mode : {FE_TONEAREST, FE_UPWARD, FE_DOWNWARD, FE_TOWARDZERO}) {
            std::fesetround(mode);
            const double result = roundHalfToEven(value);
            std::fesetround(FE_TONEAREST);
            // Exactly: QCOMPARE's fuzzy comparison of doubles would not tell large neighbours apart.
            QVERIFY2(result == rounded, qPrintable(QString::number(result, 'f', 1)));
        }
    }

    void exactQuotients_data() {
        QTest::addColumn<qint64>("numerator");
        QTest::addColumn<qint64>("denominator");
        QTest::addColumn<qint64>("quotient");
        QTest::newRow("half, even") << 5LL << 2LL << 2LL;
        QTest::newRow("half, odd") << 7LL << 2LL << 4LL;
        QTest::newRow("negative half") << -5LL << 2LL << -2LL;
        QTest::newRow("negative divisor") << 7LL << -2LL << -4LL;
        QTest::newRow("one third") << 1LL << 3LL << 0LL;
        QTest::newRow("two thirds, negative") << -2LL << 3LL << -1LL;
        // Beyond the 53 bits of a double, which would give 2^61.
        QTest::newRow("large half, odd") << (Q_INT64_C(1) << 62) + 3 << 2LL << (Q_INT64_C(1) << 61) + 2;
    }
    void exactQuotients() {
        QFETCH(qint64, numerator);
        QFETCH(qint64, denominator);
        QTEST(qint64(divideRoundHalfToEven(numerator, denominator)), "quotient");
    }
};

QTEST_APPLESS_MAIN(RoundHalfToEvenTest)
#include "tst_roundhalftoeven.moc"
