// A timer of the plug-in's own on the GUI thread, for hosts that lend none:
// Windows delivers it through the host's message loop; Linux has no such
// thing without an event loop of ours, so there it is never started.
#pragma once

namespace platform {

using IdleCallback = void (*)(void* context);

// A started timer, or nullptr where the platform offers none.
void* startIdleTimer(unsigned milliseconds, IdleCallback callback, void* context);
void stopIdleTimer(void* timer);

}  // namespace platform
