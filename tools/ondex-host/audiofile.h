// Reading and writing audio files. Linux uses libsndfile (any format it reads;
// the output format follows the extension); the Windows build reads and writes
// WAV itself.
#pragma once

#include <string>

#include "audio.h"

// Throws Failure naming the file and the problem.
Audio readAudioFile(const std::string& path);

// Writes to path in the format that formatName's extension names (path may be
// a temporary name). Throws Failure.
void writeAudioFile(const std::string& path, const std::string& formatName, const Audio& audio,
                    SampleFormat format);
