#include "hostrun.h"

#include <sndfile.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <stdexcept>

namespace {

std::string quoted(const std::string& text) {
  std::string out = "'";
  for (char c : text) {
    out += c == '\'' ? std::string("'\\''") : std::string(1, c);
  }
  return out + "'";
}

}  // namespace

HostRun runProgram(const std::string& program, const std::vector<std::string>& args) {
  static int counter = 0;
  const std::string base = std::filesystem::temp_directory_path().string() + "/ondex-host-run-" +
                           std::to_string(::getpid()) + "-" + std::to_string(counter++);
  std::string command = quoted(program);
  for (const std::string& arg : args) {
    command += " " + quoted(arg);
  }
  command += " </dev/null >" + base + ".out 2>" + base + ".err";
  const int raw = std::system(command.c_str());
  HostRun run;
  run.status = WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
  run.out = readBytes(base + ".out");
  run.err = readBytes(base + ".err");
  std::filesystem::remove(base + ".out");
  std::filesystem::remove(base + ".err");
  return run;
}

HostRun runHost(const std::vector<std::string>& args) { return runProgram(ONDEX_HOST_PATH, args); }

Sound readSound(const std::string& path) {
  SF_INFO info{};
  SNDFILE* file = sf_open(path.c_str(), SFM_READ, &info);
  if (file == nullptr) {
    throw std::runtime_error("cannot read " + path);
  }
  std::vector<float> interleaved(static_cast<size_t>(info.frames * info.channels));
  sf_readf_float(file, interleaved.data(), info.frames);
  sf_close(file);
  Sound sound;
  sound.rate = info.samplerate;
  const auto channels = static_cast<size_t>(info.channels);
  sound.channels.assign(channels, std::vector<float>(static_cast<size_t>(info.frames)));
  for (size_t f = 0; f < sound.frames(); ++f) {
    for (size_t c = 0; c < channels; ++c) {
      sound.channels[c][f] = interleaved[f * channels + c];
    }
  }
  return sound;
}

void writeSound(const std::string& path, const Sound& sound) {
  SF_INFO info{};
  info.samplerate = sound.rate;
  info.channels = static_cast<int>(sound.channels.size());
  info.format = SF_FORMAT_WAV | SF_FORMAT_FLOAT;
  SNDFILE* file = sf_open(path.c_str(), SFM_WRITE, &info);
  if (file == nullptr) {
    throw std::runtime_error("cannot write " + path);
  }
  const size_t channels = sound.channels.size();
  std::vector<float> interleaved(sound.frames() * channels);
  for (size_t f = 0; f < sound.frames(); ++f) {
    for (size_t c = 0; c < channels; ++c) {
      interleaved[f * channels + c] = sound.channels[c][f];
    }
  }
  sf_writef_float(file, interleaved.data(), static_cast<sf_count_t>(sound.frames()));
  sf_close(file);
}

std::string freshFolder(const std::string& name) {
  const std::filesystem::path folder = std::filesystem::current_path() / "host_test_files" / name;
  std::filesystem::remove_all(folder);
  std::filesystem::create_directories(folder);
  return folder.string();
}

std::string readBytes(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::stringstream buffer;
  buffer << in.rdbuf();
  return buffer.str();
}

bool fileExists(const std::string& path) { return std::filesystem::exists(path); }

Sound noise(double seconds, float level, int rate) {
  Sound sound;
  sound.rate = rate;
  const auto frames = static_cast<size_t>(seconds * rate);
  sound.channels.assign(2, std::vector<float>(frames));
  unsigned state = 12345;
  for (size_t f = 0; f < frames; ++f) {
    for (auto& channel : sound.channels) {
      state = state * 1664525u + 1013904223u;
      channel[f] = level * (static_cast<float>(state >> 8) / 8388608.0f - 1.0f);
    }
  }
  return sound;
}

Sound impulse(double seconds, size_t at, float level, int channels) {
  Sound sound;
  sound.channels.assign(static_cast<size_t>(channels),
                        std::vector<float>(static_cast<size_t>(seconds * sound.rate)));
  for (auto& channel : sound.channels) {
    channel[at] = level;
  }
  return sound;
}

std::vector<std::string> linesOf(const std::string& text) {
  std::vector<std::string> lines;
  std::istringstream in(text);
  std::string line;
  while (std::getline(in, line)) {
    if (!line.empty()) {
      lines.push_back(line);
    }
  }
  return lines;
}
