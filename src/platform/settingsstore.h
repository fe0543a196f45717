// The per-user store of named values that every instance shares and that
// outlasts the host's run: on Windows the registry key
// HKEY_CURRENT_USER\SOFTWARE\Zel-acoustics\Ondex; on Linux one file per value,
// named as the value, in $XDG_CONFIG_HOME/Zel-acoustics/Ondex (default ~/.config). Each
// write replaces a whole value. Every failure is only reported by the answer.
#pragma once

#include <cstddef>
#include <string>

namespace platform::settings {

// Binary values are exactly the bytes given.
bool storeBinary(const char* name, const void* data, size_t size);
// Fills the start of `data` with a value of at most `size` bytes; a missing
// value, or one larger than `size`, gives false and leaves `data` untouched.
bool loadBinary(const char* name, void* data, size_t size);
// Text values, UTF-8 here (UTF-16 strings in the registry).
bool storeText(const char* name, const std::string& text);
// The text stored, "" when the value is missing or not text.
std::string loadText(const char* name);
// Removing a value that is not there is no failure.
bool remove(const char* name);

}  // namespace platform::settings
