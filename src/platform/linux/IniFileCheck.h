#pragma once

#include <QByteArray>

// QSettings reads almost anything and silently drops what it did not understand on its next write.
// This check keeps every line it can read and tells how many it could not, so that one bad line
// costs that line only.
namespace IniFileCheck {

struct Salvage {
    QByteArray content;       // the readable lines, ready for QSettings
    int unreadableLines = 0;  // lines left out (binary, not UTF-8, neither key, section nor comment)
    int mendedLines = 0;      // section headers without their closing bracket, closed
    bool changed() const { return unreadableLines > 0 || mendedLines > 0; }
};

Salvage salvage(const QByteArray& content);

}  // namespace IniFileCheck
