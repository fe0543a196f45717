#include "wavfile.h"

#include <cerrno>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <memory>

namespace wav {
namespace {

constexpr std::uint16_t kFormatPcm = 1;
constexpr std::uint16_t kFormatFloat = 3;
constexpr std::uint16_t kFormatExtensible = 0xfffe;

struct FileCloser {
  void operator()(std::FILE* file) const { std::fclose(file); }
};
using File = std::unique_ptr<std::FILE, FileCloser>;

std::uint32_t little32(const unsigned char* at) {
  return static_cast<std::uint32_t>(at[0]) | (static_cast<std::uint32_t>(at[1]) << 8) |
         (static_cast<std::uint32_t>(at[2]) << 16) | (static_cast<std::uint32_t>(at[3]) << 24);
}

std::uint16_t little16(const unsigned char* at) {
  return static_cast<std::uint16_t>(at[0] | (at[1] << 8));
}

void put32(std::string& out, std::uint32_t word) {
  for (int shift = 0; shift < 32; shift += 8) {
    out.push_back(static_cast<char>((word >> shift) & 0xff));
  }
}

void put16(std::string& out, std::uint16_t word) {
  out.push_back(static_cast<char>(word & 0xff));
  out.push_back(static_cast<char>(word >> 8));
}

// One sample of the given encoding as a float in -1..1.
float decode(const unsigned char* at, std::uint16_t format, int bits) {
  if (format == kFormatFloat && bits == 32) {
    float value = 0.0f;
    std::memcpy(&value, at, sizeof(value));
    return value;
  }
  if (format == kFormatFloat) {
    double value = 0.0;
    std::memcpy(&value, at, sizeof(value));
    return static_cast<float>(value);
  }
  if (bits == 16) {
    return static_cast<float>(static_cast<std::int16_t>(little16(at))) / 32768.0f;
  }
  if (bits == 24) {
    const std::uint32_t raw = (static_cast<std::uint32_t>(at[0]) << 8) |
                              (static_cast<std::uint32_t>(at[1]) << 16) |
                              (static_cast<std::uint32_t>(at[2]) << 24);
    return static_cast<float>(static_cast<std::int32_t>(raw) >> 8) / 8388608.0f;
  }
  return static_cast<float>(static_cast<double>(static_cast<std::int32_t>(little32(at))) /
                            2147483648.0);
}

}  // namespace

bool read(const std::string& path, Audio& audio, std::string& error) {
  File file(std::fopen(path.c_str(), "rb"));
  if (!file) {
    error = std::strerror(errno);
    return false;
  }
  std::string bytes;
  char buffer[65536];
  size_t got = 0;
  while ((got = std::fread(buffer, 1, sizeof(buffer), file.get())) > 0) {
    bytes.append(buffer, got);
  }
  const auto* data = reinterpret_cast<const unsigned char*>(bytes.data());  // NOLINT: raw bytes
  if (bytes.size() < 12 || std::memcmp(data, "RIFF", 4) != 0 ||
      std::memcmp(data + 8, "WAVE", 4) != 0) {
    error = "not a WAV file";
    return false;
  }
  std::uint16_t format = 0;
  int channels = 0;
  int bits = 0;
  std::uint32_t rate = 0;
  const unsigned char* samples = nullptr;
  size_t sampleBytes = 0;
  size_t at = 12;
  while (at + 8 <= bytes.size()) {
    const std::uint32_t size = little32(data + at + 4);
    const size_t body = at + 8;
    const size_t available = bytes.size() - body;
    if (std::memcmp(data + at, "fmt ", 4) == 0 && size >= 16 && available >= 16) {
      format = little16(data + body);
      channels = little16(data + body + 2);
      rate = little32(data + body + 4);
      bits = little16(data + body + 14);
      if (format == kFormatExtensible && size >= 26 && available >= 26) {
        format = little16(data + body + 24);  // the sub-format's first two bytes
      }
    } else if (std::memcmp(data + at, "data", 4) == 0) {
      samples = data + body;
      sampleBytes = size < available ? size : available;  // a truncated file keeps what it has
    }
    at = body + size + (size & 1);
  }
  const bool known = (format == kFormatPcm && (bits == 16 || bits == 24 || bits == 32)) ||
                     (format == kFormatFloat && (bits == 32 || bits == 64));
  if (!known || channels < 1 || rate == 0 || samples == nullptr) {
    error = "unsupported or damaged WAV file";
    return false;
  }
  const size_t frameBytes = static_cast<size_t>(channels) * static_cast<size_t>(bits / 8);
  const size_t frames = sampleBytes / frameBytes;
  audio.sampleRate = rate;
  audio.channels.assign(static_cast<size_t>(channels), std::vector<float>(frames));
  for (size_t f = 0; f < frames; ++f) {
    for (int c = 0; c < channels; ++c) {
      audio.channels[static_cast<size_t>(c)][f] =
          decode(samples + f * frameBytes + static_cast<size_t>(c * bits / 8), format, bits);
    }
  }
  return true;
}

bool write(const std::string& path, const Audio& audio, SampleFormat format, std::string& error) {
  const bool isFloat = format == SampleFormat::Float32;
  const std::uint16_t channels = static_cast<std::uint16_t>(audio.channels.size());
  const std::uint16_t bytesPerSample = isFloat ? 4 : 3;
  const std::uint32_t rate = static_cast<std::uint32_t>(std::lround(audio.sampleRate));
  const size_t dataBytes = audio.frames() * channels * bytesPerSample;
  if (dataBytes > 0xffffff00u) {
    error = "too long for a WAV file";
    return false;
  }
  std::string out;
  out.reserve(dataBytes + 64);
  out += "RIFF";
  put32(out, static_cast<std::uint32_t>(36 + dataBytes + (dataBytes & 1)));
  out += "WAVEfmt ";
  put32(out, 16);
  put16(out, isFloat ? kFormatFloat : kFormatPcm);
  put16(out, channels);
  put32(out, rate);
  put32(out, rate * channels * bytesPerSample);
  put16(out, static_cast<std::uint16_t>(channels * bytesPerSample));
  put16(out, static_cast<std::uint16_t>(bytesPerSample * 8));
  out += "data";
  put32(out, static_cast<std::uint32_t>(dataBytes));
  for (size_t f = 0; f < audio.frames(); ++f) {
    for (const auto& channel : audio.channels) {
      const float value = channel[f];
      if (isFloat) {
        std::uint32_t word = 0;
        std::memcpy(&word, &value, sizeof(word));
        put32(out, word);
      } else {
        const double clipped = std::fmax(-1.0, std::fmin(1.0, static_cast<double>(value)));
        const long scaled = std::lround(clipped * 8388608.0);
        const auto word = static_cast<std::uint32_t>(scaled > 8388607 ? 8388607 : scaled);
        out.push_back(static_cast<char>(word & 0xff));
        out.push_back(static_cast<char>((word >> 8) & 0xff));
        out.push_back(static_cast<char>((word >> 16) & 0xff));
      }
    }
  }
  if ((dataBytes & 1) != 0) {
    out.push_back(0);
  }
  File file(std::fopen(path.c_str(), "wb"));
  if (!file) {
    error = std::strerror(errno);
    return false;
  }
  if (std::fwrite(out.data(), 1, out.size(), file.get()) != out.size() ||
      std::fflush(file.get()) != 0) {
    error = std::strerror(errno);
    return false;
  }
  return true;
}

}  // namespace wav
