// Running the built ondex-host as a user would, and the sound files its
// tests feed it and read back (through libsndfile, independent of the host).
#pragma once

#include <string>
#include <vector>

struct HostRun {
  int status = -1;
  std::string out;
  std::string err;
};

// Runs ondex-host (or another program) with the arguments, quoted for the
// shell, with no input.
HostRun runHost(const std::vector<std::string>& args);
HostRun runProgram(const std::string& program, const std::vector<std::string>& args);

struct Sound {
  int rate = 44100;
  std::vector<std::vector<float>> channels;
  size_t frames() const { return channels.empty() ? 0 : channels[0].size(); }
};

Sound readSound(const std::string& path);
void writeSound(const std::string& path, const Sound& sound);  // 32-bit float WAV

// A fresh, empty folder for one test, under the build folder.
std::string freshFolder(const std::string& name);
std::string readBytes(const std::string& path);
bool fileExists(const std::string& path);

// Stereo noise, the same on every call.
Sound noise(double seconds, float level = 0.3f, int rate = 44100);
// Silence with a single impulse.
Sound impulse(double seconds, size_t at, float level, int channels = 2);

// Lines of text, without empty ones.
std::vector<std::string> linesOf(const std::string& text);
