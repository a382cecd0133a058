#pragma once
// The one way the player waits on the window thread: bounded, with the busy cursor showing and
// the event loop running (paints, timers, the engine's bus), user input held back.
#include <functional>

namespace veltrane {

// Runs the event loop until done() holds or timeoutMs pass; returns done().
bool waitBusy(const std::function<bool()>& done, int timeoutMs);

}  // namespace veltrane
