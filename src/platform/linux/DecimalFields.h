#pragma once

#include <QByteArray>
#include <QtGlobal>
#include <optional>

// Reading blank-separated decimal fields of the kernel's text files without allocating.
namespace DecimalFields {

// Skips blanks and tabs at text[at...].
void skipBlanks(const QByteArray& text, qsizetype& at, qsizetype end);
// An unsigned decimal number at text[at...] ending at a blank, a tab or `end`, advancing `at` past
// it; nothing when there is none, it overflows 64 bits, or another character follows it.
std::optional<quint64> next(const QByteArray& text, qsizetype& at, qsizetype end);

}  // namespace DecimalFields
