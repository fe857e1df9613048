#pragma once

#include <QLocale>
#include <QString>

// The texts of the "System" page's values.
namespace SystemFactsText {

// A description with "@" is split before it: "Intel Core2 CPU 6600" / "     @ 2.40GHz".
QString processor(const QString& description);
// Bytes as whole megabytes or gigabytes with group separators: "7,936 MB", "466 GB".
QString megabytes(double bytes, const QLocale& locale = QLocale());
QString gigabytes(double bytes, const QLocale& locale = QLocale());

}  // namespace SystemFactsText
