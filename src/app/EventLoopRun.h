#pragma once

#include <functional>

class TerminationSignals;

// Runs the program's event loop until it ends, then the orderly unload. A termination request
// that arrived during start-up, when quitting does nothing because no loop runs yet (the first-run
// step and the splash screen let events run before it exists), ends the loop as soon as it starts.
int runEventLoop(const TerminationSignals& termination, const std::function<void()>& unload);
