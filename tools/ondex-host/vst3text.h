// Text across the VST 3 interface: UTF-16 arrays of a fixed size and 8-bit
// fields that may fill their array without a terminator.
#pragma once

#include <cstddef>
#include <string>

// The UTF-8 form of at most `units` UTF-16 units, up to the first zero.
std::string utf8Of(const char16_t* text, size_t units);

// UTF-16 of UTF-8 text, for the host's String128 answers and parsing requests.
std::u16string utf16Of(const std::string& text);

// An 8-bit field's text, up to its first zero or its end.
std::string boundedText(const char* field, size_t size);
