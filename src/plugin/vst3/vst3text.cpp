// UTF-8 and UTF-16 each way, for names, texts and values typed in the host.
#include "vst3text.h"

#include <cstdint>

#include "common/utf8text.h"

namespace {

// The code point at `at` and the bytes it takes; malformed bytes read as U+FFFD, one each.
uint32_t decodeUtf8(const unsigned char* s, size_t& length) {
  const unsigned char lead = s[0];
  int more = 0;
  uint32_t point = 0;
  if (lead < 0x80) {
    length = 1;
    return lead;
  }
  if ((lead & 0xE0) == 0xC0) {
    more = 1;
    point = lead & 0x1F;
  } else if ((lead & 0xF0) == 0xE0) {
    more = 2;
    point = lead & 0x0F;
  } else if ((lead & 0xF8) == 0xF0) {
    more = 3;
    point = lead & 0x07;
  } else {
    length = 1;
    return 0xFFFD;
  }
  for (int i = 1; i <= more; ++i) {
    if ((s[i] & 0xC0) != 0x80) {  // also stops at the terminator
      length = 1;
      return 0xFFFD;
    }
    point = point << 6 | (s[i] & 0x3F);
  }
  length = static_cast<size_t>(more) + 1;
  return point < 0x110000 ? point : 0xFFFD;
}

}  // namespace

void copyUtf16(const char* text, char16_t* out, size_t units) {
  if (out == nullptr || units == 0) {
    return;
  }
  size_t at = 0;
  const auto* s = reinterpret_cast<const unsigned char*>(text != nullptr ? text : "");  // NOLINT
  while (*s != 0) {
    size_t length = 1;
    const uint32_t point = decodeUtf8(s, length);
    s += length;
    const size_t needs = point >= 0x10000 ? 2 : 1;
    if (at + needs >= units) {
      break;  // the terminator's place stays free
    }
    if (needs == 2) {
      out[at++] = static_cast<char16_t>(0xD800 + ((point - 0x10000) >> 10));
      out[at++] = static_cast<char16_t>(0xDC00 + ((point - 0x10000) & 0x3FF));
    } else {
      out[at++] = static_cast<char16_t>(point);
    }
  }
  out[at] = 0;
}

std::string utf8Of(const char16_t* text, size_t units) {
  std::string out;
  if (text == nullptr) {
    return out;
  }
  for (size_t at = 0; at < units && text[at] != 0; ++at) {
    uint32_t point = text[at];
    if (point >= 0xD800 && point < 0xDC00 && at + 1 < units && text[at + 1] >= 0xDC00 &&
        text[at + 1] < 0xE000) {
      point = 0x10000 + ((point - 0xD800) << 10) + (text[at + 1] - 0xDC00);
      ++at;
    } else if (point >= 0xD800 && point < 0xE000) {
      point = 0xFFFD;
    }
    utf8::append(out, point);
  }
  return out;
}
