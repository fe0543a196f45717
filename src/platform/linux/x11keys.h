// X11 key and pointer state in the toolkit's terms, without X11 types so that
// tests can check the mapping on any platform.
#pragma once

#include <cstdint>

#include "host/vst2.h"

namespace platform::x11 {

// The key of a KeySym (as XLookupString gives it, shift applied) with the
// event's modifier state.
VstKeyCode keyCodeFor(unsigned long keysym, unsigned int state);
// kShift, kControl, kAlt and the held buttons (kLButton, ...) of an X state.
int32_t buttonStateFor(unsigned int state);

}  // namespace platform::x11
