#pragma once

#include <QByteArray>

// QSettings reads almost anything and silently drops what it did not understand on its next write.
// This check decides whether a settings file is sound enough to be rewritten without losing data.
namespace IniFileCheck {
bool isWellFormed(const QByteArray& content);
}
