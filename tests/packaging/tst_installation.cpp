#include "app/CommandLine.h"
#include "settings/ProgramVersion.h"

#include <QtTest>

// What `cmake --install` (and so the Debian package, which CPack builds from the same rules) puts in
// place, installed from this build into a temporary prefix.
class InstallationTest : public QObject {
    Q_OBJECT

    QTemporaryDir prefix;

    QString installed(const QString& path) const { return prefix.path() + QLatin1Char('/') + path; }
    static QString read(const QString& path) {
        QFile file(path);
        return file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()) : QString();
    }
    // A file installed compressed, as gzip gives it back.
    static QString readCompressed(const QString& path) {
        QProcess gzip;
        gzip.start(QStringLiteral("gzip"), {QStringLiteral("-dc"), path});
        return gzip.waitForFinished(10000) && gzip.exitCode() == 0
                   ? QString::fromUtf8(gzip.readAllStandardOutput())
                   : QString();
    }
    static QString entryValue(const QString& entry, const QString& key) {
        const QRegularExpression line(QStringLiteral("^%1=(.*)$").arg(key),
                                      QRegularExpression::MultilineOption);
        return line.match(entry).captured(1);
    }

private Q_SLOTS:
    void initTestCase() {
        QVERIFY(prefix.isValid());
        QProcess install;
        install.setProcessChannelMode(QProcess::MergedChannels);
        install.start(QStringLiteral(QUORVANE_CMAKE),
                      {"--install", QStringLiteral(QUORVANE_BUILD_DIR), "--prefix", prefix.path()});
        QVERIFY(install.waitForFinished(60000));
        QVERIFY2(install.exitCode() == 0, install.readAll().constData());
    }

    void everyFileIsInItsPlace() {
        QStringList expected{"bin/quorvane",
                             "share/applications/quorvane.desktop",
                             "share/man/man1/quorvane.1.gz",
                             "share/doc/quorvane/copyright",
                             "share/doc/quorvane/changelog.gz",
                             "share/icons/hicolor/scalable/apps/quorvane.svg"};
        for (const int size : {16, 22, 24, 32, 48, 64, 128, 256}) {
            expected << QStringLiteral("share/icons/hicolor/%1x%1/apps/quorvane.png").arg(size);
        }
        for (const QString& path : expected) {
            QVERIFY2(QFileInfo(installed(path)).isFile(), qPrintable(path));
        }
        QCOMPARE(QDir(installed("share/metainfo")).entryList({"*.metainfo.xml"}).size(), 1);
        for (const int size : {16, 256}) {
            const QImage icon(
                installed(QStringLiteral("share/icons/hicolor/%1x%1/apps/quorvane.png").arg(size)));
            QCOMPARE(icon.size(), QSize(size, size));
        }
    }

    // Debian's machine-readable copyright file carries both licences in full, and the changelog
    // names the version being installed.
    void theCopyrightFileAndTheChangelogAreDebians() {
        const QString copyright = read(installed("share/doc/quorvane/copyright"));
        QVERIFY(copyright.startsWith(
            "Format: https://www.debian.org/doc/packaging-manuals/copyright-format/1.0/\n"));
        // Every line from the licence's copyright notice on, the notice itself in the Copyright field.
        for (const char* licence : {"LICENSE", "src/timesync/public-ntp-servers.LICENSE"}) {
            QStringList lines = read(QStringLiteral(QUORVANE_SOURCE_DIR "/") + licence).split('\n');
            lines = lines.mid(lines.indexOf(QRegularExpression("^Copyright \\(c\\) .*")));
            QVERIFY(!lines.isEmpty());
            lines.first().replace("Copyright (c) ", "Copyright: ");
            lines.removeAll("All rights reserved.");
            for (const QString& line : lines) {
                QVERIFY2(copyright.contains(line), qPrintable(line));
            }
        }
        QVERIFY(copyright.contains("License: Expat\n Permission is hereby granted"));
        QVERIFY(copyright.contains("License: BSD-3-clause\n Redistribution and use"));
        QVERIFY(readCompressed(installed("share/doc/quorvane/changelog.gz"))
                    .startsWith(QStringLiteral("quorvane (%1.").arg(ProgramVersion::text())));
    }

    void theDesktopEntryStartsTheInstalledProgram() {
        const QString entry = read(installed("share/applications/quorvane.desktop"));
        QVERIFY(QFileInfo(installed("bin/" + entryValue(entry, "Exec"))).isExecutable());
        QVERIFY(QFileInfo::exists(
            installed("share/icons/hicolor/scalable/apps/" + entryValue(entry, "Icon") + ".svg")));
        const QString metainfo =
            read(installed("share/metainfo/") +
                 QDir(installed("share/metainfo")).entryList({"*.metainfo.xml"}).value(0));
        QVERIFY(metainfo.contains("<launchable type=\"desktop-id\">quorvane.desktop</launchable>"));
        QVERIFY(metainfo.contains(QStringLiteral("<release version=\"%1\"").arg(ProgramVersion::text())));

        QProcess program;
        program.start(installed("bin/quorvane"), {"--version"});
        QVERIFY(program.waitForFinished(10000));
        QCOMPARE(program.readAllStandardOutput(), ("Quorvane " + ProgramVersion::text() + "\n").toUtf8());
    }

    void theManualNamesEveryOption() {
        const QString manual =
            readCompressed(installed("share/man/man1/quorvane.1.gz")).remove(QLatin1Char('\\'));
        const QRegularExpression option(QStringLiteral("(?:^|\\s)(--?[a-z][a-z-]*|/sync)"));
        int seen = 0;
        for (const auto& match : option.globalMatch(CommandLine::usage())) {
            ++seen;
            QVERIFY2(manual.contains(match.captured(1)), qPrintable(match.captured(1)));
        }
        QVERIFY(seen >= 7);
        for (const char* section : {".SH EXIT STATUS", ".SH FILES", "Quorvane.conf"}) {
            QVERIFY2(manual.contains(section), section);
        }
        const QString help = CommandLine::usage();
        for (const char* form : {"-h, --help", "--query=HOST[:PORT]", "[IPv6]:PORT"}) {
            QVERIFY2(help.contains(form), form);
        }
    }

    // The questions a new user meets first, answered in the manual and in the README alike.
    void theDocumentsAnswerFirstQuestions() {
        const QString manual =
            readCompressed(installed("share/man/man1/quorvane.1.gz")).remove(QLatin1Char('\\'));
        const QString readme = read(QStringLiteral(QUORVANE_TEST_DATA "/../../README.md"));
        QVERIFY(!readme.isEmpty());
        const QString exitStatus = manual.section(QStringLiteral(".SH EXIT STATUS"), 1).section(".SH", 0, 0);
        QVERIFY2(exitStatus.contains("graphical session"), qPrintable(exitStatus));
        for (const QString& document : {manual, readme}) {
            for (const char* point :
                 {"UpdateLocation", "quorvane/update/", "not opened", "org.freedesktop.timedate1.set-time",
                  "set-ntp false", "n/a", "OK saves only when something", "autostart"}) {
                QVERIFY2(document.contains(QLatin1String(point)), point);
            }
        }
        for (const char* point :
             {"apt remove", "build/bench/bench/bench_sntp", "needs a build", "graphical session"}) {
            QVERIFY2(readme.contains(QLatin1String(point)), point);
        }
    }
};

QTEST_GUILESS_MAIN(InstallationTest)
#include "tst_installation.moc"
