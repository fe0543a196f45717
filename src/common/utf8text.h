// UTF-8 steps for text that is edited byte-wise: encoding a typed code point,
// moving between whole characters and cutting without splitting one.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace utf8 {

// Appends a code point (below 0x110000) in its UTF-8 form.
void append(std::string& out, uint32_t codePoint);
// At most `limit` bytes of `text`, never cutting a character.
std::string_view prefix(std::string_view text, size_t limit);
// The same as a string; null is empty.
std::string clip(const char* text, size_t limit);
// The start of the character before `at`, or 0.
size_t previous(const std::string& text, size_t at);
// The end of the character at `at`, or the end of the text.
size_t next(const std::string& text, size_t at);

}  // namespace utf8
