// Text across the VST 3 boundary: UTF-16 there, UTF-8 inside Ondex.
#pragma once

#include <cstddef>
#include <string>

// `text` as UTF-16 in `units` code units, always terminated, never cutting a
// character (a pair of surrogates stays whole or goes).
void copyUtf16(const char* text, char16_t* out, size_t units);
// At most `units` code units of `text` (up to its terminator) as UTF-8;
// unpaired surrogates become U+FFFD.
std::string utf8Of(const char16_t* text, size_t units);
