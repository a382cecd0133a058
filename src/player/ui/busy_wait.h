#pragma once
// The one way the player waits on the window thread: bounded, with the busy cursor showing and
// the windows repainting. Nothing else runs meanwhile: no input, no timers, no queued calls (a
// script's next line among them), so no command can start inside the wait.
#include <functional>

namespace veltrane {

// Calls pump() and repaints what asked for it, every few milliseconds, until done() holds or
// timeoutMs pass; returns done().
bool waitBusy(const std::function<bool()>& done, const std::function<void()>& pump, int timeoutMs);

}  // namespace veltrane
