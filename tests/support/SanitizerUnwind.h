#pragma once

#include <QProcessEnvironment>
#include <QString>

// Under AddressSanitizer, a program started by a test unwinds fully at every allocation: Qt and the
// system libraries have no frame pointers, and only a full stack names the library function that
// tests/sanitizer/lsan.supp matches, so a leak of ours stays visible while theirs is suppressed.
inline void unwindFullyUnderSanitizer(QProcessEnvironment& environment) {
    const QString key = QStringLiteral("ASAN_OPTIONS");
    if (environment.contains(key)) {
        environment.insert(key, environment.value(key) + QStringLiteral(":fast_unwind_on_malloc=0"));
    }
}
