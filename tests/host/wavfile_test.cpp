// The WAV reader and writer of the Windows build, checked on every build and,
// where libsndfile is at hand, against it.
#include "wavfile.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <string>

#ifndef _WIN32
#include <sndfile.h>
#endif

namespace {

std::string pathFor(const std::string& name) {
  const auto folder = std::filesystem::current_path() / "host_unit_files";
  std::filesystem::create_directories(folder);
  return (folder / name).string();
}

Audio ramp(size_t frames, size_t channels) {
  Audio audio;
  audio.sampleRate = 48000.0;
  audio.channels.assign(channels, std::vector<float>(frames));
  for (size_t c = 0; c < channels; ++c) {
    for (size_t f = 0; f < frames; ++f) {
      audio.channels[c][f] = std::sin(0.01f * static_cast<float>(f) + static_cast<float>(c)) * 0.9f;
    }
  }
  return audio;
}

void append32(std::string& out, std::uint32_t word) {
  for (int shift = 0; shift < 32; shift += 8)
    out.push_back(static_cast<char>((word >> shift) & 0xff));
}
void append16(std::string& out, std::uint16_t word) {
  out.push_back(static_cast<char>(word & 0xff));
  out.push_back(static_cast<char>(word >> 8));
}

}  // namespace

TEST(WavFile, FloatSurvivesExactlyAndTwentyFourBitWithinHalfAStep) {
  const Audio original = ramp(1001, 2);
  std::string error;
  for (SampleFormat format : {SampleFormat::Float32, SampleFormat::Pcm24}) {
    const std::string path = pathFor("roundtrip.wav");
    ASSERT_TRUE(wav::write(path, original, format, error)) << error;
    Audio back;
    ASSERT_TRUE(wav::read(path, back, error)) << error;
    EXPECT_EQ(back.sampleRate, 48000.0);
    ASSERT_EQ(back.channels.size(), 2u);
    ASSERT_EQ(back.frames(), 1001u);
    const float tolerance = format == SampleFormat::Float32 ? 0.0f : 0.5f / 8388608.0f + 1e-9f;
    for (size_t c = 0; c < 2; ++c) {
      for (size_t f = 0; f < 1001; ++f) {
        ASSERT_NEAR(back.channels[c][f], original.channels[c][f], tolerance) << c << " " << f;
      }
    }
  }
}

TEST(WavFile, TwentyFourBitClipsInsteadOfWrapping) {
  Audio loud;
  loud.channels = {{1.5f, -1.5f, 1.0f, -1.0f}};
  std::string error;
  const std::string path = pathFor("clipped.wav");
  ASSERT_TRUE(wav::write(path, loud, SampleFormat::Pcm24, error)) << error;
  Audio back;
  ASSERT_TRUE(wav::read(path, back, error)) << error;
  EXPECT_NEAR(back.channels[0][0], 1.0f, 1e-6f);
  EXPECT_EQ(back.channels[0][1], -1.0f);
  EXPECT_NEAR(back.channels[0][2], 1.0f, 1e-6f);
  EXPECT_EQ(back.channels[0][3], -1.0f);
}

TEST(WavFile, OddSizedDataIsPaddedSoTheFileStaysWellFormed) {
  Audio mono;
  mono.channels = {{0.25f}};
  std::string error;
  const std::string path = pathFor("odd.wav");
  ASSERT_TRUE(wav::write(path, mono, SampleFormat::Pcm24, error)) << error;
  EXPECT_EQ(std::filesystem::file_size(path), 44u + 3u + 1u);
}

TEST(WavFile, ReadsExtensibleSixteenBitPastOtherChunks) {
  std::string bytes = "RIFF";
  append32(bytes, 0);  // a size some writers leave wrong; the reader does not rely on it
  bytes += "WAVE";
  bytes += "LIST";
  append32(bytes, 5);
  bytes += "info";
  bytes.push_back('!');
  bytes.push_back(0);  // pad byte of the odd-sized chunk
  bytes += "fmt ";
  append32(bytes, 40);
  append16(bytes, 0xfffe);
  append16(bytes, 1);
  append32(bytes, 22050);
  append32(bytes, 44100);
  append16(bytes, 2);
  append16(bytes, 16);
  append16(bytes, 22);
  append16(bytes, 16);
  append32(bytes, 4);
  append16(bytes, 1);  // sub-format: integer PCM
  bytes.append(14, '\0');
  bytes += "data";
  append32(bytes, 6);
  append16(bytes, 0x4000);
  append16(bytes, 0x8000);
  append16(bytes, 0xffff);
  const std::string path = pathFor("extensible.wav");
  std::ofstream(path, std::ios::binary) << bytes;
  Audio audio;
  std::string error;
  ASSERT_TRUE(wav::read(path, audio, error)) << error;
  EXPECT_EQ(audio.sampleRate, 22050.0);
  ASSERT_EQ(audio.channels.size(), 1u);
  ASSERT_EQ(audio.frames(), 3u);
  EXPECT_EQ(audio.channels[0][0], 0.5f);
  EXPECT_EQ(audio.channels[0][1], -1.0f);
  EXPECT_EQ(audio.channels[0][2], -1.0f / 32768.0f);
}

TEST(WavFile, RefusesWhatItCannotRead) {
  Audio audio;
  std::string error;
  EXPECT_FALSE(wav::read(pathFor("does-not-exist.wav"), audio, error));
  const std::string text = pathFor("text.wav");
  std::ofstream(text) << "RIFF but not really a wave file";
  EXPECT_FALSE(wav::read(text, audio, error));
  EXPECT_EQ(error, "not a WAV file");
  std::string noData = "RIFF";
  append32(noData, 4);
  noData += "WAVE";
  std::ofstream(pathFor("nodata.wav"), std::ios::binary) << noData;
  EXPECT_FALSE(wav::read(pathFor("nodata.wav"), audio, error));
}

#ifndef _WIN32
TEST(WavFile, AgreesWithLibsndfileBothWays) {
  const Audio original = ramp(777, 2);
  std::string error;
  const std::string ours = pathFor("ours.wav");
  ASSERT_TRUE(wav::write(ours, original, SampleFormat::Float32, error)) << error;
  SF_INFO info{};
  SNDFILE* file = sf_open(ours.c_str(), SFM_READ, &info);
  ASSERT_NE(file, nullptr) << sf_strerror(nullptr);
  EXPECT_EQ(info.samplerate, 48000);
  EXPECT_EQ(info.channels, 2);
  ASSERT_EQ(info.frames, 777);
  std::vector<float> interleaved(size_t{777} * 2);
  sf_readf_float(file, interleaved.data(), 777);
  sf_close(file);
  for (size_t f = 0; f < 777; ++f) {
    ASSERT_EQ(interleaved[f * 2 + 1], original.channels[1][f]);
  }

  // libsndfile's float WAV (with its extra chunks) and 16-bit WAV read back.
  for (int subformat : {SF_FORMAT_FLOAT, SF_FORMAT_PCM_16, SF_FORMAT_PCM_24, SF_FORMAT_DOUBLE}) {
    const std::string theirs = pathFor("theirs.wav");
    SF_INFO out{};
    out.samplerate = 44100;
    out.channels = 2;
    out.format = SF_FORMAT_WAV | subformat;
    SNDFILE* writer = sf_open(theirs.c_str(), SFM_WRITE, &out);
    ASSERT_NE(writer, nullptr);
    sf_writef_float(writer, interleaved.data(), 777);
    sf_close(writer);
    Audio back;
    ASSERT_TRUE(wav::read(theirs, back, error)) << error << " format " << subformat;
    ASSERT_EQ(back.frames(), 777u);
    const float tolerance = subformat == SF_FORMAT_PCM_16 ? 2.0f / 32768.0f : 2.0f / 8388608.0f;
    for (size_t f = 0; f < 777; ++f) {
      ASSERT_NEAR(back.channels[0][f], original.channels[0][f], tolerance) << f;
    }
  }
}
#endif
