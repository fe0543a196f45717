// Reading and writing audio files. Linux uses libsndfile (any format it reads;
// the output format follows the extension); the Windows build reads and writes
// WAV itself.
#pragma once

#include <string>

#include "audio.h"

// Throws Failure naming the file and the problem.
Audio readAudioFile(const std::string& path);

// Throws Failure unless formatName's extension names a format this build
// writes, so that a render is refused before it starts.
void checkOutputFormat(const std::string& formatName);

// Writes to path in the format that formatName's extension names (path may be
// a temporary name). Throws Failure.
void writeAudioFile(const std::string& path, const std::string& formatName, const Audio& audio,
                    SampleFormat format);
