#pragma once

#include <QByteArray>
#include <QString>
#include <optional>

// Reads the published SHA-256 digest of a file from a checksum file in sha256sum's format:
// "<64 hex digits>  <name>" or "<64 hex digits> *<name>" per line, or a lone digest.
namespace ChecksumFile {

// The digest (32 bytes) for `fileName` (compared without regard to case); a line without a name
// counts for any file. Nothing when no line fits.
std::optional<QByteArray> expectedSha256(const QByteArray& text, const QString& fileName);

}  // namespace ChecksumFile
