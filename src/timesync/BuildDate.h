#pragma once

#include <QDate>

// The day (UTC) this program was built: no correct clock can read earlier than that.
QDate programBuildDate();
