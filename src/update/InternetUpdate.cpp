#include "update/InternetUpdate.h"

#include "update/ChecksumFile.h"
#include "update/FileStarter.h"
#include "update/UpdateAddress.h"
#include "update/UpdateDownloadFolder.h"
#include "update/UpdatePrompts.h"
#include "update/UpdateTexts.h"
#include "widgets/MessageBoxCodes.h"

#include <QFile>

namespace {

const QString kApplicationTitle = QStringLiteral("quorvane");

}  // namespace

InternetUpdate::InternetUpdate(const UpdateVersion& ownVersion, UpdatePrompts& prompts, FileStarter& starter,
                               QString downloadParent, QObject* parent)
    : QObject(parent),
      ownVersion_(ownVersion),
      prompts_(prompts),
      starter_(starter),
      downloadParent_(std::move(downloadParent)),
      transfer_(this) {}

QString InternetUpdate::BuildUpdateUrl(const QString& fileName) const {
    return UpdateAddress::BuildUpdateUrl(downloadUrl_, fileName);
}

QString InternetUpdate::versionFileName() const {
    return kApplicationTitle + QStringLiteral(".ver");
}

QString InternetUpdate::notesFileName(const QString& version) const {
    return kApplicationTitle + QLatin1Char('.') + version + QStringLiteral(".msg");
}

void InternetUpdate::Test() {
    check(false);
}

void InternetUpdate::TestAndUpdate() {
    check(true);
}

void InternetUpdate::cancel() {
    transfer_.abort();
    closeStatus();
    busy_ = false;
}

// --- The check ---------------------------------------------------------------------------------------

void InternetUpdate::check(bool askToUpdate) {
    if (busy_) {
        inform(UpdateTexts::checkRunning());  // the running one answers for this request too
        return;
    }
    if (downloadUrl_.trimmed().isEmpty()) {
        inform(UpdateTexts::noLocation());
        endCheck(askToUpdate);
        return;
    }
    const QUrl url = UpdateAddress::allowedUrl(BuildUpdateUrl(versionFileName()));
    if (url.isEmpty()) {
        inform(UpdateTexts::locationRefused(downloadUrl_));
        endCheck(askToUpdate);
        return;
    }
    busy_ = true;
    transfer_.fetch(url, kMaxVersionBytes,
                    [this, askToUpdate](const FetchResult& result) { versionFetched(askToUpdate, result); });
}

void InternetUpdate::versionFetched(bool askToUpdate, const FetchResult& result) {
    const QString version = result.ok ? QString::fromUtf8(result.body).trimmed() : QString();
    // A document beyond the cap is no version file (an error page, say), as a long text is not.
    if (!result.tooLarge && version.isEmpty()) {
        busy_ = false;
        inform(UpdateTexts::connectionFailed());
        endCheck(askToUpdate);
        return;
    }
    if (result.tooLarge || !isNewerVersion(version, ownVersion_)) {
        busy_ = false;
        inform(UpdateTexts::noNewerVersion());
        endCheck(askToUpdate);
        return;
    }
    const QUrl notesUrl = UpdateAddress::allowedUrl(BuildUpdateUrl(notesFileName(version)));
    if (notesUrl.isEmpty()) {
        offer(askToUpdate, version, QString());
        return;
    }
    transfer_.fetch(notesUrl, kMaxNotesBytes, [this, askToUpdate, version](const FetchResult& notes) {
        // Missing notes only leave the changes block out.
        offer(askToUpdate, version, notes.ok ? QString::fromUtf8(notes.body) : QString());
    });
}

void InternetUpdate::offer(bool askToUpdate, const QString& version, const QString& notes) {
    const QString text = UpdateTexts::offer(ownVersion_, version, notes);
    if (!askToUpdate) {
        busy_ = false;
        prompts_.message(text, MessageBoxStyles::OkInformation, UpdateTexts::title());
        endCheck(false);
        return;
    }
    // Asked whatever ShowMessage says: a newer version is always worth the question.
    if (prompts_.message(UpdateTexts::question(text), MessageBoxStyles::YesNoQuestion,
                         UpdateTexts::title()) == MessageBoxResult::Yes) {
        download();
        return;
    }
    busy_ = false;
    Q_EMIT UpdateCanceled();
}

void InternetUpdate::endCheck(bool askToUpdate) {
    if (!askToUpdate) {
        Q_EMIT TestCompleted();
    }
}

void InternetUpdate::inform(const QString& text) {
    if (showMessage_) {
        prompts_.message(text, MessageBoxStyles::OkInformation, UpdateTexts::title());
    }
}

// --- The update --------------------------------------------------------------------------------------

void InternetUpdate::Update() {
    if (busy_) {
        inform(UpdateTexts::checkRunning());
        return;
    }
    busy_ = true;
    download();
}

void InternetUpdate::download() {
    if (showStatus_) {
        prompts_.showStatus();
        statusShown_ = true;
    }
    Q_EMIT DownloadStarted();
    QString error;
    const auto path = UpdateDownloadFolder(downloadParent_).prepare(updateFile_.toLower(), &error);
    if (!path) {
        updateFailed(error);
        return;
    }
    const QUrl checksumUrl = UpdateAddress::allowedUrl(BuildUpdateUrl(checksumFileName()));
    if (checksumUrl.isEmpty()) {
        updateFailed(UpdateTexts::locationRefused(downloadUrl_));
        return;
    }
    const QString target = *path;
    transfer_.fetch(checksumUrl, kMaxChecksumBytes,
                    [this, target](const FetchResult& result) { checksumFetched(target, result); });
}

void InternetUpdate::checksumFetched(const QString& path, const FetchResult& result) {
    const auto expected =
        result.ok ? ChecksumFile::expectedSha256(result.body, updateFile_) : std::optional<QByteArray>();
    if (!expected) {
        updateFailed(UpdateTexts::checksumMissing(checksumFileName().toLower()));
        return;
    }
    const QUrl url = UpdateAddress::allowedUrl(BuildUpdateUrl(updateFile_));
    const QByteArray digest = *expected;
    transfer_.fetchToFile(url, path, maxPackageBytes_, [this, path, digest](const FetchResult& package) {
        packageFetched(path, digest, package);
    });
}

void InternetUpdate::packageFetched(const QString& path, const QByteArray& expected,
                                    const FetchResult& result) {
    if (!result.ok) {
        QFile::remove(path);  // a partial file is never left to be opened
        updateFailed(result.error);
        return;
    }
    if (result.sha256 != expected) {
        QFile::remove(path);
        updateFailed(UpdateTexts::checksumMismatch());
        return;
    }
    if (!starter_.start(path)) {
        updateFailed(UpdateTexts::notStarted(path));
        return;
    }
    closeStatus();
    busy_ = false;
    Q_EMIT UpdateStarted();
}

void InternetUpdate::updateFailed(const QString& description) {
    closeStatus();
    busy_ = false;
    Q_EMIT DownloadFailed();
    if (!description.isEmpty()) {
        prompts_.message(description, MessageBoxStyles::Plain, UpdateTexts::programTitle());
    }
    prompts_.message(UpdateTexts::manualDownload(downloadUrl_), MessageBoxStyles::OkCritical,
                     UpdateTexts::programTitle());
}

void InternetUpdate::closeStatus() {
    if (statusShown_) {
        statusShown_ = false;
        prompts_.closeStatus();
    }
}
