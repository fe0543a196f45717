// Audio files for the Windows build: WAV only, read and written by wavfile.cpp.
#include <algorithm>
#include <cctype>

#include "audiofile.h"
#include "failure.h"
#include "wavfile.h"

Audio readAudioFile(const std::string& path) {
  Audio audio;
  std::string error;
  if (!wav::read(path, audio, error)) {
    throw Failure("cannot read " + path + ": " + error);
  }
  if (audio.channels.size() > 2) {
    throw Failure(path + " has " + std::to_string(audio.channels.size()) +
                  " channels; only mono and stereo are accepted");
  }
  return audio;
}

void checkOutputFormat(const std::string& formatName) {
  std::string lower = formatName;
  std::transform(lower.begin(), lower.end(), lower.begin(),
                 [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
  if (lower.size() < 4 || lower.compare(lower.size() - 4, 4, ".wav") != 0) {
    throw Failure("cannot write " + formatName + ": this build writes .wav files only");
  }
}

void writeAudioFile(const std::string& path, const std::string& formatName, const Audio& audio,
                    SampleFormat format) {
  checkOutputFormat(formatName);
  std::string error;
  if (!wav::write(path, audio, format, error)) {
    throw Failure("cannot write " + formatName + ": " + error);
  }
}
