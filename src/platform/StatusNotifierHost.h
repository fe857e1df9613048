#pragma once

// Whether a tray that hosts icons over D-Bus (a StatusNotifierWatcher) runs on the session bus:
// the tray Qt's own icon then goes to.
bool statusNotifierWatcherPresent();
