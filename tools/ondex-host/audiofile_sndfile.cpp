// Audio files through libsndfile.
#include <sndfile.h>

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <memory>

#include "audiofile.h"
#include "failure.h"

namespace {

struct SndfileCloser {
  void operator()(SNDFILE* file) const { sf_close(file); }
};
using SoundFile = std::unique_ptr<SNDFILE, SndfileCloser>;

std::string extensionOf(const std::string& name) {
  const size_t slash = name.find_last_of("/\\");
  const size_t dot = name.rfind('.');
  if (dot == std::string::npos || (slash != std::string::npos && dot < slash)) {
    return "";
  }
  std::string extension = name.substr(dot + 1);
  std::transform(extension.begin(), extension.end(), extension.begin(),
                 [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
  return extension;
}

// The container for an extension, or 0 when none fits.
int containerFor(const std::string& extension) {
  if (extension == "wav") return SF_FORMAT_WAV;
  if (extension == "aif" || extension == "aiff") return SF_FORMAT_AIFF;
  if (extension == "flac") return SF_FORMAT_FLAC;
  if (extension == "ogg" || extension == "oga") return SF_FORMAT_OGG;
  if (extension == "au" || extension == "snd") return SF_FORMAT_AU;
  if (extension == "caf") return SF_FORMAT_CAF;
  if (extension == "w64") return SF_FORMAT_W64;
  if (extension == "raw") return SF_FORMAT_RAW;
  return 0;
}

}  // namespace

Audio readAudioFile(const std::string& path) {
  // libsndfile words a missing file as a "system error"; say it plainly.
  std::FILE* probe = std::fopen(path.c_str(), "rb");
  if (probe == nullptr) {
    throw Failure("cannot read " + path + ": " + std::strerror(errno));
  }
  std::fclose(probe);
  SF_INFO info{};
  SoundFile file(sf_open(path.c_str(), SFM_READ, &info));
  if (!file) {
    throw Failure("cannot read " + path + ": " + sf_strerror(nullptr));
  }
  if (info.channels > 2) {
    throw Failure(path + " has " + std::to_string(info.channels) +
                  " channels; only mono and stereo are accepted");
  }
  if (info.samplerate <= 0 || info.channels < 1) {
    throw Failure("cannot read " + path + ": no audio in it");
  }
  const auto frames = static_cast<size_t>(info.frames);
  const auto channels = static_cast<size_t>(info.channels);
  std::vector<float> interleaved(frames * channels);
  const sf_count_t got = sf_readf_float(file.get(), interleaved.data(), info.frames);
  Audio audio;
  audio.sampleRate = info.samplerate;
  audio.channels.assign(channels,
                        std::vector<float>(static_cast<size_t>(std::max<sf_count_t>(got, 0))));
  for (size_t f = 0; f < audio.frames(); ++f) {
    for (size_t c = 0; c < channels; ++c) {
      audio.channels[c][f] = interleaved[f * channels + c];
    }
  }
  return audio;
}

void checkOutputFormat(const std::string& formatName) {
  const std::string extension = extensionOf(formatName);
  if (containerFor(extension) == 0) {
    throw Failure("cannot write " + formatName + ": unknown file type '." + extension +
                  "' (use .wav, .aiff, .flac, .ogg, .au, .caf or .w64)");
  }
}

void writeAudioFile(const std::string& path, const std::string& formatName, const Audio& audio,
                    SampleFormat format) {
  checkOutputFormat(formatName);
  const int container = containerFor(extensionOf(formatName));
  int encoding = format == SampleFormat::Float32 ? SF_FORMAT_FLOAT : SF_FORMAT_PCM_24;
  if (container == SF_FORMAT_FLAC) {
    encoding = SF_FORMAT_PCM_24;  // FLAC holds integers only
  } else if (container == SF_FORMAT_OGG) {
    encoding = SF_FORMAT_VORBIS;
  }
  SF_INFO info{};
  info.samplerate = static_cast<int>(std::lround(audio.sampleRate));
  info.channels = static_cast<int>(audio.channels.size());
  info.format = container | encoding;
  if (sf_format_check(&info) == 0) {
    throw Failure("cannot write " + formatName + ": that file type cannot hold this audio");
  }
  SoundFile file(sf_open(path.c_str(), SFM_WRITE, &info));
  if (!file) {
    throw Failure("cannot write " + formatName + ": " + sf_strerror(nullptr));
  }
  sf_command(file.get(), SFC_SET_CLIPPING, nullptr, SF_TRUE);
  const size_t channels = audio.channels.size();
  std::vector<float> interleaved(audio.frames() * channels);
  for (size_t f = 0; f < audio.frames(); ++f) {
    for (size_t c = 0; c < channels; ++c) {
      interleaved[f * channels + c] = audio.channels[c][f];
    }
  }
  const auto frames = static_cast<sf_count_t>(audio.frames());
  if (sf_writef_float(file.get(), interleaved.data(), frames) != frames) {
    throw Failure("cannot write " + formatName + ": " + sf_strerror(file.get()));
  }
  if (sf_close(file.release()) != 0) {
    throw Failure("cannot write " + formatName + ": the file could not be completed");
  }
}
