// Names of the 128 MIDI controllers, then "not assigned" and an empty entry.
#pragma once

constexpr int kNumControllerNames = 130;

// Entry i of the name table (0 to 129); an empty text for any other i.
const char* controllerName(int i);
