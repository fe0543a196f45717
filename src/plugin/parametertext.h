// Reading a parameter's display text back into its value.
#pragma once

#include <functional>
#include <string>

// What the display of a parameter shows for a normalized value, unit left off.
using DisplayOf = std::function<std::string(float)>;

// The normalized value that `text` (a display text of parameter `index`, its
// unit after a blank allowed) stands for, or false when it stands for none.
// Where a value shows the text exactly, it is one such value; a figure alone
// or between the shown ones is taken as typed, a figure alone as the first
// the display shows.
bool parseParameterText(int index, const char* text, const DisplayOf& displayOf, float& normalized);
