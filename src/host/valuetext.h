// Number-to-text conversions for parameter displays: fixed eight-character
// shapes so that every host shows the same texts.
#pragma once

#include <string>

#include "vst2.h"

namespace valuetext {

std::string floatText(float value);
std::string dBText(float value);
std::string intText(VstInt32 value);

// Writes the first maxLen characters of text, then zeros up to and including
// out[maxLen]; nothing beyond. A negative maxLen writes nothing.
void copyLimited(const std::string& text, char* out, VstInt32 maxLen);

}  // namespace valuetext
