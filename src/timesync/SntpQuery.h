#pragma once

#include <QString>
#include <cstdio>

// "--query HOST[:PORT]": one exchange whose log lines go to a stream, for users and scripts. The
// clock is never set. Needs a running QCoreApplication; returns the process exit code: 0 for a
// valid reply, 1 otherwise.
namespace SntpQuery {

int run(const QString& target, std::FILE* out = stdout, int timeoutTicks = 5);

}  // namespace SntpQuery
