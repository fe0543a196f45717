// The editor's zoom as the user chooses it: stored per user as the text value
// "Zoom" ("100", "150" or "200"), so every editor opened later starts there,
// and announced to the editors open in this process, which follow at their
// next idle pass. With nothing valid stored, the desktop's scale decides.
#pragma once

#include <cstdint>

namespace zoomsetting {

inline constexpr const char* kValueName = "Zoom";

// The zoom an editor opens at in that parent window (nullptr: not yet known);
// `hostZoom`, when not 0, stands in for the desktop's scale.
int preferred(void* parent, int hostZoom = 0);
// True when the user has chosen a zoom, which then wins over any scale.
bool chosen();
// Stores the user's choice and announces it.
void choose(int percent);
// Counts the choices made in this process; with the last one, what open
// editors compare to the choice they follow.
uint32_t choiceCount();
int lastChoice();

}  // namespace zoomsetting
