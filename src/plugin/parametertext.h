// Reading a parameter's display text back into its value.
#pragma once

// The normalized value that `text` (a display text of parameter `index`,
// its unit after a blank allowed) stands for, or false when it stands for
// none. Figures between the shown ones are taken as typed; a figure alone is
// read as the first the display shows.
bool parseParameterText(int index, const char* text, float& normalized);
