// Feeds arbitrary bytes to what the update check reads from a server: the version file, the
// release notes and the checksum file, and to the address rules applied to what it builds.
#include "update/ChecksumFile.h"
#include "update/UpdateAddress.h"
#include "update/UpdateTexts.h"
#include "update/UpdateVersion.h"

#include <QByteArray>
#include <QString>
#include <cstddef>
#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const QByteArray bytes(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    const QString text = QString::fromUtf8(bytes);

    const auto version = UpdateVersion::parse(text);
    if (version) {
        // Whatever parses is a short number.number text that reads back to the same version.
        if (text.trimmed().size() > UpdateVersion::kMaxTextLength ||
            UpdateVersion::parse(version->text()) != version) {
            std::abort();
        }
    }
    if (isNewerVersion(text, UpdateVersion{3, 9}) != (version && *version > UpdateVersion{3, 9})) {
        std::abort();
    }

    const QString offer = UpdateTexts::offer(UpdateVersion{3, 9}, text.left(8), text);
    const QString notes = UpdateTexts::cleanNotes(text);
    if (notes.size() > 3100 || notes.contains(QChar(0x1b)) ||
        !offer.startsWith(QStringLiteral("The program's"))) {
        std::abort();
    }

    const auto digest = ChecksumFile::expectedSha256(bytes, QStringLiteral("quorvaneinstall.deb"));
    if (digest && digest->size() != 32) {
        std::abort();
    }

    const QString address = UpdateAddress::BuildUpdateUrl(text, QStringLiteral("quorvane.ver"));
    const QUrl url = UpdateAddress::allowedUrl(address);
    if (!url.isEmpty() && !UpdateAddress::isAllowed(url)) {
        std::abort();
    }
    (void)UpdateAddress::manualDownloadSite(text);
    return 0;
}
