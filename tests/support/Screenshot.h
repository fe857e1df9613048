#pragma once

#include <QString>

// Saves the whole X screen as <name>.png in the folder that QUORVANE_TEST_SCREENSHOTS names, and
// does nothing when it is unset: a look at what a GUI test saw, for whoever reviews a change.
void saveScreenshot(const QString& name);
