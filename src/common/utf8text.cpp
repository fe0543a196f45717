#include "common/utf8text.h"

namespace utf8 {

namespace {
bool isContinuation(char c) { return (static_cast<unsigned char>(c) & 0xC0) == 0x80; }
}  // namespace

void append(std::string& out, uint32_t cp) {
  if (cp < 0x80) {
    out += char(cp);
  } else if (cp < 0x800) {
    out += char(0xC0 | (cp >> 6));
    out += char(0x80 | (cp & 0x3F));
  } else if (cp < 0x10000) {
    out += char(0xE0 | (cp >> 12));
    out += char(0x80 | ((cp >> 6) & 0x3F));
    out += char(0x80 | (cp & 0x3F));
  } else if (cp < 0x110000) {
    out += char(0xF0 | (cp >> 18));
    out += char(0x80 | ((cp >> 12) & 0x3F));
    out += char(0x80 | ((cp >> 6) & 0x3F));
    out += char(0x80 | (cp & 0x3F));
  }
}

std::string_view prefix(std::string_view text, size_t limit) {
  if (text.size() <= limit) {
    return text;
  }
  size_t end = limit;
  while (end > 0 && isContinuation(text[end])) {
    --end;  // text[end] continues the character before it
  }
  return text.substr(0, end);
}

std::string clip(const char* text, size_t limit) {
  return std::string(prefix(text != nullptr ? text : "", limit));
}

size_t previous(const std::string& text, size_t at) {
  if (at == 0) {
    return 0;
  }
  size_t start = (at > text.size() ? text.size() : at) - 1;
  while (start > 0 && isContinuation(text[start])) {
    --start;
  }
  return start;
}

size_t next(const std::string& text, size_t at) {
  if (at >= text.size()) {
    return text.size();
  }
  size_t end = at + 1;
  while (end < text.size() && isContinuation(text[end])) {
    ++end;
  }
  return end;
}

}  // namespace utf8
