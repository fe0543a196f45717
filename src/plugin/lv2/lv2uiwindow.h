// The editor's own window inside the host's parent, kept apart from the
// effect's headers, whose words X11's macros would clash with.
#pragma once

#include <cstdint>

// The newest child of `parent` (an X11 window id), or `parent` when it has none.
uintptr_t lv2EditorWindow(uintptr_t parent);
