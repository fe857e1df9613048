#pragma once

#include <QString>

class AppSettings;

// Where the update files are looked for: the setting "UpdateLocation" when it holds an address,
// else the location the program was built with (empty unless the build set one).
namespace UpdateLocation {

QString builtIn();
QString configured(const AppSettings& settings);

}  // namespace UpdateLocation
