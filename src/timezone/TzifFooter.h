#pragma once

#include <QByteArray>
#include <QString>
#include <optional>

// The POSIX TZ rule that a compiled zone file (TZif, version 2 and later) carries after its data,
// for the times past its last listed transition.
namespace TzifFooter {

// The footer text, possibly empty; nothing when the bytes are not a well-formed file of version 2+.
std::optional<QString> read(const QByteArray& bytes);

}  // namespace TzifFooter
