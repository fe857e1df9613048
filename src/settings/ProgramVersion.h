#pragma once

#include <QString>

// The program's version as users see it: major.minor, each number written in full ("2.10", never
// "2.1" and never "2.010").
namespace ProgramVersion {
int majorNumber();
int minorNumber();
QString text();                                   // "1.0"
QString label();                                  // "Version 1.0"
QString label(int majorNumber, int minorNumber);  // "Version " + major + "." + minor
}  // namespace ProgramVersion
