// demo: the built-in phrase through every program of the plug-in.
#include <cctype>
#include <cstdio>
#include <filesystem>
#include <system_error>

#include "arguments.h"
#include "audiofile.h"
#include "audiolevels.h"
#include "commands.h"
#include "demophrase.h"
#include "failure.h"
#include "hostedplugin.h"
#include "outputfile.h"
#include "programs.h"
#include "progressbar.h"
#include "renderer.h"
#include "tailestimate.h"

namespace {

const char* kHelp =
    "usage: ondex-host demo [--plugin PATH] [--out-dir DIR]\n"
    "\n"
    "Renders the built-in demo phrase through every program of the plug-in into\n"
    "DIR/NN-name.wav (NN the program index) and prints each program's output peak\n"
    "and RMS.\n"
    "\n"
    "  --plugin PATH   the module, or a VST 3 or LV2 bundle folder (default: Ondex\n"
    "                  beside ondex-host)\n"
    "  --out-dir DIR   where the files go (default: demo)\n";

constexpr double kRate = 44100.0;

// "8th fast tape" -> "8th-fast-tape": safe in any file system.
std::string fileNameFor(size_t index, const std::string& name) {
  std::string slug;
  for (unsigned char c : name) {
    if (std::isalnum(c) != 0) {
      slug += static_cast<char>(std::tolower(c));
    } else if (!slug.empty() && slug.back() != '-') {
      slug += '-';
    }
  }
  while (!slug.empty() && slug.back() == '-') slug.pop_back();
  char prefix[24];
  std::snprintf(prefix, sizeof(prefix), "%02zu", index);
  return std::string(prefix) + (slug.empty() ? "" : "-" + slug) + ".wav";
}

}  // namespace

int runDemo(const Args& args) {
  const ParsedOptions options = parseOptions(args, {{"plugin"}, {"out-dir"}}, "demo");
  if (options.helpWanted) {
    std::fputs(kHelp, stdout);
    return 0;
  }
  const std::filesystem::path folder = options.value("out-dir", "demo");
  std::error_code error;
  std::filesystem::create_directories(folder, error);
  if (error || !std::filesystem::is_directory(folder)) {
    throw Failure("cannot make the folder " + folder.string() + ": " + error.message());
  }
  PluginLibrary library(options.value("plugin", defaultPluginPath()));
  HostSettings settings;
  settings.sampleRate = kRate;
  std::vector<std::string> names;
  {
    auto probe = library.instantiate(settings);
    names = ProgramList(*probe).names();
  }
  if (names.empty()) {
    names.emplace_back("");  // a plug-in without programs still gets one render
  }
  const Audio phrase = demoPhrase(kRate);
  std::printf("%-4s %-26s %-12s %s\n", "#", "program", "peak", "RMS");
  for (size_t i = 0; i < names.size(); ++i) {
    // A fresh instance each time, so no echo of one program reaches the next.
    auto plugin = library.instantiate(settings);
    ProgramList programs(*plugin);
    if (!programs.names().empty()) {
      programs.select(static_cast<int>(i));
    }
    const std::filesystem::path path = folder / fileNameFor(i, names[i]);
    OutputFile output(path.string());
    ProgressBar quiet(false);
    plugin->start();
    const Audio rendered = renderThrough(*plugin, phrase, defaultTail(*plugin, settings.tempo),
                                         ControlSchedule{}, quiet);
    plugin->stop();
    writeAudioFile(output.temporaryPath(), output.path(), rendered, SampleFormat::Pcm24);
    output.commit();
    const Levels levels = measureLevels(rendered);
    std::printf("%-4zu %-26s %-12s %s\n", i, names[i].c_str(), formatDb(levels.peakDb).c_str(),
                formatDb(levels.rmsDb).c_str());
  }
  std::printf("%zu files in %s\n", names.size(), folder.string().c_str());
  return 0;
}
