#include "platform/linux/LinuxProcessorValues.h"
#include "stats/ProcessorDescription.h"
#include "stats/SystemInfoModule.h"
#include "support/FakeSystemSources.h"

#include <QtTest>

class ProcessorDescriptionTest : public QObject {
    Q_OBJECT

    static QString describe(const QVariantMap& values, FakeProcessorLibrary* library = nullptr) {
        ProcessorDescription description(
            [&](const QString& name) { return values.value(name, QStringLiteral("Error!")); }, library);
        return description.build();
    }

private Q_SLOTS:
    void systemName_data() {
        QTest::addColumn<QVariantMap>("values");
        QTest::addColumn<QString>("description");
        QTest::newRow("trademarks and runs of blanks")
            << QVariantMap{{"ProcessorNameString", "  Intel(R) Core(TM)2 CPU      6600  at 2.40GHz "},
                           {"~MHz", 2400u}}
            << "Intel Core2 CPU 6600 at 2.40GHz";
        QTest::newRow("signs in any case, nested")
            << QVariantMap{{"ProcessorNameString", "AMD Athlon(Tm) X2(t(r)m) Dual Core 4.0 GHz"}}
            << "AMD Athlon X2 Dual Core 4.0 GHz";
        QTest::newRow("~MHz 1995") << QVariantMap{{"ProcessorNameString", "AMD Athlon(tm)   64"},
                                                  {"~MHz", 1995u}}
                                   << "AMD Athlon 64 (2.00 GHz)";
        QTest::newRow("~MHz 733") << QVariantMap{{"ProcessorNameString", "Pentium III"}, {"~MHz", 733u}}
                                  << "Pentium III (740 MHz)";
        QTest::newRow("~MHz 800") << QVariantMap{{"ProcessorNameString", "Pentium III"}, {"~MHz", " 800 "}}
                                  << "Pentium III (800 MHz)";
        QTest::newRow("~MHz unusable")
            << QVariantMap{{"ProcessorNameString", "Pentium III"}, {"~MHz", 99999u}} << "Pentium III";
        QTest::newRow("no name: vendor with speed") << QVariantMap{{"ProcessorNameString", "Error!"},
                                                                   {"VendorIdentifier", "GenuineIntel"},
                                                                   {"~MHz", 2992u}}
                                                    << "GenuineIntel (3.00 GHz)";
        QTest::newRow("empty name, no vendor")
            << QVariantMap{{"ProcessorNameString", ""}} << "Unknown processor type";
        QTest::newRow("nothing at all") << QVariantMap{} << "Unknown processor type";
    }
    void systemName() {
        QFETCH(QVariantMap, values);
        QFETCH(QString, description);
        QCOMPARE(describe(values), description);
    }

    void processorLibrary_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("speed");
        QTest::addColumn<QString>("description");
        QTest::newRow("MHz from the library") << "AMD K6"
                                              << "2400 MHz"
                                              << "AMD K6 (2.40 GHz)";
        QTest::newRow("GHz raised to ten") << "Celeron"
                                           << "2.53 GHz"
                                           << "Celeron (2.60 GHz)";
        QTest::newRow("2992 MHz") << "Celeron"
                                  << "2992 MHz"
                                  << "Celeron (3.00 GHz)";
        QTest::newRow("below 1000") << "K6"
                                    << "733 MHz"
                                    << "K6 (740 MHz)";
        QTest::newRow("buffers cut at NUL")
            << QString::fromLatin1("K6\0AB", 5) << QString::fromLatin1("300 MHz\0x", 9) << "K6 (300 MHz)";
        QTest::newRow("quote and the character before it") << "AMD K6 \"junk\""
                                                           << ""
                                                           << "AMD K6";
        QTest::newRow("speed only") << ""
                                    << "1.8 GHz"
                                    << "1.80 GHz";
        QTest::newRow("no unit") << "Cyrix"
                                 << "fast"
                                 << "Cyrix";
    }
    void processorLibrary() {
        QFETCH(QString, name);
        QFETCH(QString, speed);
        QFETCH(QString, description);
        FakeProcessorLibrary library;
        library.name = name;
        library.speed = speed;
        QCOMPARE(describe({}, &library), description);
    }

    void speedSuffixes_data() {
        QTest::addColumn<QVariant>("megahertz");
        QTest::addColumn<QString>("suffix");
        QTest::newRow("1995") << QVariant(1995u) << " (2.00 GHz)";
        QTest::newRow("733") << QVariant(733u) << " (740 MHz)";
        QTest::newRow("800") << QVariant(800u) << " (800 MHz)";
        QTest::newRow("1000") << QVariant(1000u) << " (1.00 GHz)";
        QTest::newRow("error") << QVariant(QStringLiteral("Error!")) << "";
        QTest::newRow("empty") << QVariant() << "";
        QTest::newRow("zero") << QVariant(0u) << "";
        QTest::newRow("garbage") << QVariant(QStringLiteral("fast")) << "";
    }
    void speedSuffixes() {
        QFETCH(QVariant, megahertz);
        QFETCH(QString, suffix);
        QCOMPARE(ProcessorDescription::speedSuffix(megahertz), suffix);
    }

    // The whole road on Linux: /proc/cpuinfo and cpufreq through the system values.
    void fromFixtureTrees_data() {
        QTest::addColumn<QString>("treeName");
        QTest::addColumn<QString>("description");
        QTest::newRow("x86 laptop") << "laptop"
                                    << "Intel Core i7-8650U CPU @ 1.90GHz";
        QTest::newRow("cpu MHz") << "desktop"
                                 << "AMD Athlon 64 Processor 3200+ (2.00 GHz)";
        QTest::newRow("arm") << "arm"
                             << "ARM part 0xd08 (1.50 GHz)";
        QTest::newRow("garbage") << "broken"
                                 << "Unknown processor type";
    }
    void fromFixtureTrees() {
        QFETCH(QString, treeName);
        QFETCH(QString, description);
        SystemSources sources;
        sources.systemValues = std::make_shared<LinuxProcessorValues>(
            SystemFiles(QStringLiteral(QUORVANE_TEST_DATA "/stats/") + treeName));
        SystemInfoModule module(sources, nullptr);
        QCOMPARE(module.GetProcessorDescription(), description);
    }
};

QTEST_GUILESS_MAIN(ProcessorDescriptionTest)
#include "tst_processordescription.moc"
