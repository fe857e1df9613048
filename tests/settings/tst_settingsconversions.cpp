#include "settings/AppSettings.h"
#include "settings/SettingsConversions.h"
#include "support/MemorySettingsStore.h"

#include <QtTest>

using namespace SettingsConversions;

class SettingsConversionsTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void initTestCase() { QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates)); }

    void booleanConversion_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("expected");  // -1: does not convert
        QTest::newRow("True") << "True" << 1;
        QTest::newRow("false any case") << "fALSE" << 0;
        QTest::newRow("zero") << "0" << 0;
        QTest::newRow("one") << "1" << 1;
        QTest::newRow("other number") << "-3" << 1;
        QTest::newRow("blanks around") << "  1 " << 1;
        QTest::newRow("word") << "Yes" << -1;
        QTest::newRow("empty") << "" << -1;
    }
    void booleanConversion() {
        QFETCH(QString, text);
        QFETCH(int, expected);
        const auto result = toBoolean(text);
        QCOMPARE(result.has_value(), expected >= 0);
        if (result) {
            QCOMPARE(int(*result), expected);
        }
    }

    void actionFlagNeedsTheNumberOne_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("acts");
        QTest::newRow("1") << "1" << true;
        QTest::newRow("1.0") << "1.0" << true;
        QTest::newRow("0") << "0" << false;
        QTest::newRow("2") << "2" << false;
        QTest::newRow("1.4 rounds to 1 but is not 1") << "1.4" << false;
        QTest::newRow("0.6 rounds to 1 but is not 1") << "0.6" << false;
        QTest::newRow("True is not a number") << "True" << false;
        QTest::newRow("garbage") << "1x" << false;
    }
    void actionFlagNeedsTheNumberOne() {
        QFETCH(QString, text);
        QFETCH(bool, acts);
        QCOMPARE(equalsOne(text), acts);
    }

    void sixteenBitIntegers_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("expected");
        QTest::addColumn<bool>("converts");
        QTest::newRow("plain") << "75" << 75 << true;
        QTest::newRow("negative") << "-300" << -300 << true;
        QTest::newRow("half to even down") << "2.5" << 2 << true;
        QTest::newRow("half to even up") << "3.5" << 4 << true;
        QTest::newRow("upper limit") << "32767" << 32767 << true;
        QTest::newRow("overflow") << "32768" << 0 << false;
        QTest::newRow("underflow") << "-32769" << 0 << false;
        QTest::newRow("not a number") << "abc" << 0 << false;
        QTest::newRow("empty") << "" << 0 << false;
    }
    void sixteenBitIntegers() {
        QFETCH(QString, text);
        QFETCH(int, expected);
        QFETCH(bool, converts);
        const auto result = toInt16(text);
        QCOMPARE(result.has_value(), converts);
        if (converts) {
            QCOMPARE(int(*result), expected);
        }
    }

    void datesSurviveARoundTrip_data() {
        QTest::addColumn<QDateTime>("value");
        QTest::newRow("afternoon") << QDateTime(QDate(2026, 12, 8), QTime(16, 30, 45));
        QTest::newRow("just after midnight") << QDateTime(QDate(2027, 1, 1), QTime(0, 0, 1));
        QTest::newRow("twenty-first century") << QDateTime(QDate(2031, 7, 4), QTime(12, 0, 0));
    }
    void datesSurviveARoundTrip() {
        QFETCH(QDateTime, value);
        const QString text = fromDateTime(value);
        QCOMPARE(toDateTime(text), value);
    }

    void datesInOtherLocales() {
        const QLocale german(QLocale::German, QLocale::Germany);
        const QDateTime value(QDate(2026, 3, 9), QTime(7, 5, 9));
        QCOMPARE(toDateTime(fromDateTime(value, german), german), value);
        QVERIFY(!toDateTime(QStringLiteral("not a date")).has_value());
    }

    void datesInTheUsersLocale() {
        const QDateTime value(QDate(2026, 3, 9), QTime(17, 5, 9));
        QLocale::setDefault(QLocale(QLocale::Finnish, QLocale::Finland));
        QCOMPARE(fromDateTime(value), QStringLiteral("9.3.2026 17.05.09"));
        QCOMPARE(toDateTime(fromDateTime(value)), value);
        QCOMPARE(toDateTime(QStringLiteral("9.3.2026 17.05:09")), value);  // as stored before
        QLocale::setDefault(QLocale(QLocale::Arabic, QLocale::Egypt));
        QVERIFY(!fromDateTime(value).contains(QRegularExpression(QStringLiteral("[0-9]"))));
        QCOMPARE(toDateTime(fromDateTime(value)), value);
        QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
    }

    void readerDefaultsAreText() {
        MemorySettingsStore store;
        AppSettings settings(store);
        QCOMPARE(settings.text("ShowTransparent", true), QStringLiteral("True"));
        QCOMPARE(settings.text("TransparentLevel", 75), QStringLiteral("75"));
        QCOMPARE(settings.checkMark("ShowTransparent", true), std::optional<bool>(true));
        QVERIFY(settings.actionFlag("ShowSplash", 1));
        QVERIFY(!settings.actionFlag("ShowStatsAtStartup", 0));
        store.write("AutoSyncDays", "abc");
        QVERIFY(!settings.int16("AutoSyncDays", 7).has_value());
    }
};

QTEST_GUILESS_MAIN(SettingsConversionsTest)
#include "tst_settingsconversions.moc"
