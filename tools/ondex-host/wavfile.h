// RIFF WAVE reading and writing in plain C++, for builds without libsndfile.
// Reads 16-, 24- and 32-bit integer and 32- and 64-bit float PCM, including the
// extensible header; writes 24-bit integer or 32-bit float.
#pragma once

#include <string>

#include "audio.h"

namespace wav {

// False with a reason in error.
bool read(const std::string& path, Audio& audio, std::string& error);
bool write(const std::string& path, const Audio& audio, SampleFormat format, std::string& error);

}  // namespace wav
