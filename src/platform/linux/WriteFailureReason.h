#pragma once

#include <QString>

// Why nothing can be written in a folder, as the system says it ("Permission denied", "No space left
// on device", "Read-only file system"): Qt's lock and settings files report only that they failed.
// Writes a small scratch file there and removes it again. Empty when the probe succeeded.
QString whyFolderIsNotWritable(const QString& folder);
