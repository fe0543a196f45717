#include "program.h"

#include <cstring>

void copyProgramName(char (&field)[kProgramNameSize], const char* text) {
  const size_t length = text == nullptr ? 0 : strnlen(text, kProgramNameSize);
  std::memset(field, 0, sizeof(field));
  if (length > 0) {
    std::memcpy(field, text, length);
  }
}

void copyProgramNameText(const char (&field)[kProgramNameSize], char* text) {
  std::memcpy(text, field, kProgramNameSize);
  text[kProgramNameSize] = 0;
}
