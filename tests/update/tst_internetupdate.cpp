#include "support/LocalHttpServer.h"
#include "update/DesktopFileStarter.h"
#include "update/FileStarter.h"
#include "update/InternetUpdate.h"
#include "update/UpdatePrompts.h"
#include "update/UpdateTexts.h"

#include <sys/stat.h>
#include <QSslKey>
#include <QSslSocket>
#include <QtTest>

namespace {

// A certificate authority of the test's own and a certificate it signed for 127.0.0.1, made by
// openssl for this run; nothing on this computer trusts them unless told to.
struct TestCertificates {
    QTemporaryDir dir;
    QString problem;  // why they could not be made
    QSslCertificate authority;
    QSslConfiguration server;

    TestCertificates() {
        const auto file = [this](const char* name) { return dir.filePath(QString::fromLatin1(name)); };
        const QStringList key{"-newkey", "ec",    "-pkeyopt", "ec_paramgen_curve:prime256v1",
                              "-nodes",  "-days", "2"};
        if (!openssl(QStringList{"req", "-x509", "-subj", "/CN=Quorvane Test Authority", "-keyout",
                                 file("ca.key"), "-out", file("ca.pem"), "-addext",
                                 "basicConstraints=critical,CA:TRUE", "-addext",
                                 "keyUsage=critical,keyCertSign"} +
                     key) ||
            !openssl(QStringList{"req", "-x509", "-subj", "/CN=127.0.0.1", "-CA", file("ca.pem"), "-CAkey",
                                 file("ca.key"), "-keyout", file("server.key"), "-out", file("server.pem"),
                                 "-addext", "subjectAltName=IP:127.0.0.1", "-addext",
                                 "basicConstraints=CA:FALSE", "-addext", "extendedKeyUsage=serverAuth"} +
                     key)) {
            return;
        }
        authority = QSslCertificate::fromPath(file("ca.pem")).value(0);
        QFile keyFile(file("server.key"));
        if (!keyFile.open(QIODevice::ReadOnly)) {
            problem = QStringLiteral("the test key cannot be read: ") + keyFile.errorString();
            return;
        }
        server = QSslConfiguration::defaultConfiguration();
        server.setLocalCertificate(QSslCertificate::fromPath(file("server.pem")).value(0));
        server.setPrivateKey(QSslKey(&keyFile, QSsl::Ec));
        if (authority.isNull() || server.localCertificate().isNull() || server.privateKey().isNull()) {
            problem = QStringLiteral("openssl made certificates Qt cannot read");
        }
    }

    // The system's authorities and the test's own.
    QSslConfiguration trusting() const {
        QSslConfiguration configuration = QSslConfiguration::defaultConfiguration();
        configuration.addCaCertificate(authority);
        return configuration;
    }

private:
    bool openssl(const QStringList& arguments) {
        QProcess process;
        process.setProcessChannelMode(QProcess::MergedChannels);
        process.start(QStringLiteral("openssl"), arguments);
        if (!process.waitForFinished(30000) || process.exitStatus() != QProcess::NormalExit ||
            process.exitCode() != 0) {
            problem =
                QStringLiteral("openssl could not make the test certificates: ") +
                (process.error() == QProcess::FailedToStart ? QStringLiteral("not installed")
                                                            : QString::fromLocal8Bit(process.readAll()));
            return false;
        }
        return true;
    }
};

// Answers the question with a preset button and records every message and the status window.
struct RecordingPrompts : UpdatePrompts {
    struct Shown {
        QString text;
        int style;
        QString title;
    };
    QList<Shown> shown;
    int answer = 7;
    int statusShown = 0;
    int statusClosed = 0;

    int message(const QString& text, int style, const QString& title) override {
        shown.append({text, style, title});
        return style == 36 ? answer : 1;
    }
    void showStatus() override { ++statusShown; }
    void closeStatus() override { ++statusClosed; }
    QStringList texts() const {
        QStringList result;
        for (const Shown& s : shown) {
            result << s.text;
        }
        return result;
    }
    QStringList titles() const {
        QStringList result;
        for (const Shown& s : shown) {
            result << s.title;
        }
        return result;
    }
};

// Never opens anything: notes what it was given and what the file held at that moment.
struct RecordingStarter : FileStarter {
    QStringList paths;
    QByteArray contents;
    bool start(const QString& path) override {
        paths << path;
        QFile file(path);
        contents = file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
        return true;
    }
};

const QByteArray kPackage = QByteArray("!<arch>\ndebian-binary   ") + QByteArray(100000, 'x');

QByteArray checksumOf(const QByteArray& bytes) {
    return QCryptographicHash::hash(bytes, QCryptographicHash::Sha256).toHex() + "  quorvaneinstall.deb\n";
}

}  // namespace

// The check and the download against an https server on this computer, as version 3.9.
class InternetUpdateTest : public QObject {
    Q_OBJECT

    std::unique_ptr<TestCertificates> certificates;
    std::unique_ptr<LocalHttpServer> server;
    std::unique_ptr<QTemporaryDir> cache;
    std::unique_ptr<RecordingPrompts> prompts;
    std::unique_ptr<RecordingStarter> starter;
    std::unique_ptr<InternetUpdate> update;

    QString downloadFolder() const { return cache->path() + QStringLiteral("/update"); }

    void runToEnd() { QTRY_VERIFY(!update->busy()); }

    void makeUpdate(FileStarter& opener) {
        update = std::make_unique<InternetUpdate>(UpdateVersion{3, 9}, *prompts, opener, cache->path());
        update->setDownloadURL(server->base() + QStringLiteral("/Down Loads"));  // blanks and capitals
        update->setUpdateFile(QStringLiteral("QuorvaneInstall.deb"));
        update->setTimeout(300);
        update->setSslConfiguration(certificates->trusting());
    }

private Q_SLOTS:
    void initTestCase() {
        if (!QSslSocket::supportsSsl()) {
            QSKIP("Qt has no TLS backend here");
        }
        certificates = std::make_unique<TestCertificates>();
        if (!certificates->problem.isEmpty()) {
            QSKIP(qPrintable(certificates->problem));
        }
    }

    void cleanup() { update.reset(); }

    void init() {
        server = std::make_unique<LocalHttpServer>(certificates->server);
        cache = std::make_unique<QTemporaryDir>();
        prompts = std::make_unique<RecordingPrompts>();
        starter = std::make_unique<RecordingStarter>();
        makeUpdate(*starter);
        server->serve("/downloads/quorvane.3.10.msg", "Faster start.\nSmaller window.\n");
        server->serve("/downloads/quorvaneinstall.deb", kPackage);
        server->serve("/downloads/quorvaneinstall.deb.sha256", checksumOf(kPackage));
    }

    void checkWithoutOffer_data() {
        QTest::addColumn<int>("status");
        QTest::addColumn<QByteArray>("version");
        QTest::addColumn<bool>("stalled");
        QTest::addColumn<QString>("message");
        QTest::newRow("own version") << 200 << QByteArray("3.9\n") << false << UpdateTexts::noNewerVersion();
        QTest::newRow("error page as version")
            << 200 << QByteArray("<html>Moved</html>") << false << UpdateTexts::noNewerVersion();
        QTest::newRow("error page beyond the cap")
            << 200 << QByteArray("<html>" + QByteArray(5000, 'x')) << false << UpdateTexts::noNewerVersion();
        // Read in full, this would be a newer version: the cap stops reading and the check says so.
        QTest::newRow("version beyond the cap")
            << 200 << QByteArray("4.0" + QByteArray(InternetUpdate::kMaxVersionBytes, ' ')) << false
            << UpdateTexts::noNewerVersion();
        QTest::newRow("no version file")
            << 404 << QByteArray("3.10") << false << UpdateTexts::connectionFailed();
        QTest::newRow("empty version file")
            << 200 << QByteArray() << false << UpdateTexts::connectionFailed();
        QTest::newRow("server never answers")
            << 200 << QByteArray("3.10") << true << UpdateTexts::connectionFailed();
    }
    void checkWithoutOffer() {
        QFETCH(int, status);
        QFETCH(QByteArray, version);
        QFETCH(bool, stalled);
        QFETCH(QString, message);
        server->documents["/downloads/quorvane.ver"] = {status, version, {}};
        if (stalled) {
            server->stalled << "/downloads/quorvane.ver";
        }
        for (const bool showMessage : {true, false}) {
            prompts->shown.clear();
            update->setShowMessage(showMessage);
            QSignalSpy completed(update.get(), &InternetUpdate::TestCompleted);
            update->Test();
            QVERIFY(completed.wait());
            QCOMPARE(prompts->texts(), showMessage ? QStringList{message} : QStringList());
            QCOMPARE(prompts->titles(), showMessage ? QStringList{UpdateTexts::title()} : QStringList());
        }
        QCOMPARE(server->requests.first(), QStringLiteral("/downloads/quorvane.ver"));
    }

    void offerWithNotes() {
        server->serve("/downloads/quorvane.ver", "3.10\n");
        update->setShowMessage(false);  // the offer is no mere report: it shows in a silent check too
        QSignalSpy completed(update.get(), &InternetUpdate::TestCompleted);
        update->Test();
        QVERIFY(completed.wait());
        QCOMPARE(prompts->texts(),
                 QStringList{UpdateTexts::offer(UpdateVersion{3, 9}, QStringLiteral("3.10"),
                                                QStringLiteral("Faster start.\nSmaller window."))});
        QVERIFY(prompts->texts().first().contains(QStringLiteral("Smaller window.")));
    }

    void answeringNoDownloadsNothing() {
        server->serve("/downloads/quorvane.ver", "4.0");
        QSignalSpy canceled(update.get(), &InternetUpdate::UpdateCanceled);
        update->TestAndUpdate();
        QVERIFY(canceled.wait());
        QCOMPARE(prompts->shown.size(), 1);
        QVERIFY(prompts->shown.first().text.endsWith(QStringLiteral("\r\n\r\n\r\nDo you wish to update?")));
        for (const QString& path : server->requests) {
            QVERIFY2(!path.contains(QStringLiteral(".deb")), qPrintable(path));
        }
        QVERIFY(!QFileInfo::exists(downloadFolder()));
        QVERIFY(starter->paths.isEmpty());
    }

    void verifiedPackageIsOpened() {
        server->serve("/downloads/quorvane.ver", "3.10");
        prompts->answer = 6;
        QDir().mkpath(downloadFolder());
        QFile stale(downloadFolder() + QStringLiteral("/quorvaneinstall.deb"));
        QVERIFY(stale.open(QIODevice::WriteOnly));
        stale.write("stale partial download");
        stale.close();
        QSignalSpy downloadStarted(update.get(), &InternetUpdate::DownloadStarted);
        QSignalSpy updateStarted(update.get(), &InternetUpdate::UpdateStarted);
        update->TestAndUpdate();
        QVERIFY(updateStarted.wait());
        QCOMPARE(downloadStarted.size(), 1);
        QCOMPARE(starter->paths, QStringList{downloadFolder() + QStringLiteral("/quorvaneinstall.deb")});
        QCOMPARE(starter->contents, kPackage);
        struct stat folder {};
        QCOMPARE(::stat(QFile::encodeName(downloadFolder()).constData(), &folder), 0);
        QCOMPARE(folder.st_mode & 0777, 0700u);
        QCOMPARE(prompts->statusShown, 1);
        QCOMPARE(prompts->statusClosed, 1);
        QCOMPARE(prompts->shown.size(), 1);  // the question only
    }

    void unverifiedPackageIsRefused_data() {
        QTest::addColumn<int>("checksumStatus");
        QTest::addColumn<QByteArray>("checksum");
        QTest::addColumn<QByteArray>("package");
        QTest::addColumn<QString>("reason");
        QTest::newRow("tampered package") << 200 << checksumOf(kPackage) << QByteArray(kPackage + "evil")
                                          << UpdateTexts::checksumMismatch();
        QTest::newRow("no checksum file")
            << 404 << QByteArray() << kPackage << UpdateTexts::checksumMissing("quorvaneinstall.deb.sha256");
        QTest::newRow("checksum of another file")
            << 200 << QByteArray(QByteArray(64, '0') + "  other.deb") << kPackage
            << UpdateTexts::checksumMissing("quorvaneinstall.deb.sha256");
        QTest::newRow("checksum file beyond its cap")
            << 200 << QByteArray(checksumOf(kPackage) + QByteArray(InternetUpdate::kMaxChecksumBytes, '\n'))
            << kPackage << UpdateTexts::checksumMissing("quorvaneinstall.deb.sha256");
    }
    void unverifiedPackageIsRefused() {
        QFETCH(int, checksumStatus);
        QFETCH(QByteArray, checksum);
        QFETCH(QByteArray, package);
        QFETCH(QString, reason);
        server->documents["/downloads/quorvaneinstall.deb.sha256"] = {checksumStatus, checksum, {}};
        server->serve("/downloads/quorvaneinstall.deb", package);
        update->setShowStatus(false);
        QSignalSpy failed(update.get(), &InternetUpdate::DownloadFailed);
        update->Update();
        QVERIFY(failed.wait());
        runToEnd();
        QCOMPARE(prompts->texts(), (QStringList{reason, UpdateTexts::manualDownload(update->DownloadURL())}));
        QCOMPARE(prompts->shown.last().style, 16);
        QCOMPARE(prompts->titles(), QStringList(2, UpdateTexts::programTitle()));
        QVERIFY(!QFileInfo::exists(downloadFolder() + QStringLiteral("/quorvaneinstall.deb")));
        QVERIFY(starter->paths.isEmpty());
        QCOMPARE(prompts->statusShown, 0);
    }

    void packageBeyondItsCapIsRefused() {
        update->setMaxPackageBytes(kPackage.size() - 1);
        QSignalSpy failed(update.get(), &InternetUpdate::DownloadFailed);
        update->Update();
        QVERIFY(failed.wait());
        runToEnd();
        QVERIFY2(prompts->texts().first().contains(QStringLiteral("too large")),
                 qPrintable(prompts->texts().first()));
        QVERIFY(!QFileInfo::exists(downloadFolder() + QStringLiteral("/quorvaneinstall.deb")));
        QVERIFY(starter->paths.isEmpty());
    }

    void notesBeyondTheirCapAreLeftOut() {
        server->serve("/downloads/quorvane.ver", "3.10");
        server->serve("/downloads/quorvane.3.10.msg",
                      "Faster start.\n" + QByteArray(InternetUpdate::kMaxNotesBytes, ' '));
        QSignalSpy completed(update.get(), &InternetUpdate::TestCompleted);
        update->Test();
        QVERIFY(completed.wait());
        QCOMPARE(prompts->texts(), QStringList{UpdateTexts::offer(UpdateVersion{3, 9}, "3.10", QString())});
    }

    void untrustedCertificateIsRefused() {
        server->serve("/downloads/quorvane.ver", "3.10");
        update->setSslConfiguration(QSslConfiguration::defaultConfiguration());
        QSignalSpy completed(update.get(), &InternetUpdate::TestCompleted);
        update->Test();
        QVERIFY(completed.wait());
        QCOMPARE(prompts->texts(), QStringList{UpdateTexts::connectionFailed()});
        QVERIFY(server->requests.isEmpty());
    }

    // The opener the program uses, with only its hand-over to the desktop replaced.
    void dryRunNeverOpensThePackage_data() {
        QTest::addColumn<bool>("dryRun");
        QTest::newRow("dry run") << true;
        QTest::newRow("real run") << false;
    }
    void dryRunNeverOpensThePackage() {
        QFETCH(bool, dryRun);
        QList<QUrl> handedOver;
        DesktopFileStarter opener(dryRun, [&handedOver](const QUrl& url) {
            handedOver << url;
            return true;
        });
        makeUpdate(opener);
        server->serve("/downloads/quorvane.ver", "3.10");
        prompts->answer = 6;
        QSignalSpy started(update.get(), &InternetUpdate::UpdateStarted);
        update->TestAndUpdate();
        QVERIFY(started.wait());
        const QUrl package = QUrl::fromLocalFile(downloadFolder() + QStringLiteral("/quorvaneinstall.deb"));
        QCOMPARE(handedOver, dryRun ? QList<QUrl>() : QList<QUrl>{package});
    }

    void secondCheckSaysOneIsRunning() {
        server->stalled << "/downloads/quorvane.ver";
        update->TestAndUpdate();
        update->TestAndUpdate();
        QCOMPARE(prompts->texts(), QStringList{UpdateTexts::checkRunning()});
        QCOMPARE(prompts->titles(), QStringList{UpdateTexts::title()});
        runToEnd();
        QCOMPARE(prompts->texts(),
                 (QStringList{UpdateTexts::checkRunning(), UpdateTexts::connectionFailed()}));
        QCOMPARE(server->requests, QStringList{"/downloads/quorvane.ver"});
    }

    void refusedLocations_data() {
        QTest::addColumn<QString>("location");
        QTest::addColumn<QString>("message");
        QTest::newRow("none configured") << " " << UpdateTexts::noLocation();
        QTest::newRow("plain http elsewhere")
            << "http://updates.example.org/downloads"
            << UpdateTexts::locationRefused("http://updates.example.org/downloads");
    }
    void refusedLocations() {
        QFETCH(QString, location);
        QFETCH(QString, message);
        update->setDownloadURL(location);
        QSignalSpy completed(update.get(), &InternetUpdate::TestCompleted);
        update->Test();
        QCOMPARE(completed.size(), 1);
        QCOMPARE(prompts->texts(), QStringList{message});
    }

    void redirects() {
        UpdateTransfer transfer;
        transfer.setSslConfiguration(certificates->trusting());
        std::optional<FetchResult> result;
        const auto fetch = [&](const QString& path) {
            result.reset();
            transfer.fetch(QUrl(server->base() + path), 100, [&](const FetchResult& r) { result = r; });
            QTRY_VERIFY(result.has_value());
        };
        server->serve("/mirror/quorvane.ver", "3.10");
        server->redirect("/downloads/quorvane.ver", "/mirror/quorvane.ver");
        fetch("/downloads/quorvane.ver");
        QVERIFY2(result->ok, qPrintable(result->error));
        QCOMPARE(result->body, QByteArray("3.10"));

        for (const QByteArray& elsewhere :
             {QByteArray("http://updates.example.invalid/quorvane.ver"),
              QByteArray("http://127.0.0.1:" + QByteArray::number(server->port()) +
                         "/mirror/quorvane.ver")}) {
            server->redirect("/elsewhere/quorvane.ver", elsewhere);  // the second leaves https
            fetch("/elsewhere/quorvane.ver");
            QVERIFY(!result->ok);
            QVERIFY2(result->error.contains(QStringLiteral("refused")), qPrintable(result->error));
        }
    }
};

QTEST_GUILESS_MAIN(InternetUpdateTest)
#include "tst_internetupdate.moc"
