// render: audio through a plug-in into a file.
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <optional>

#include "arguments.h"
#include "audiofile.h"
#include "audiolevels.h"
#include "chosenstate.h"
#include "commands.h"
#include "demophrase.h"
#include "failure.h"
#include "hostedplugin.h"
#include "outputfile.h"
#include "progressbar.h"
#include "renderer.h"
#include "statefile.h"
#include "system.h"
#include "tailestimate.h"

namespace {

const char* kHelp =
    "usage: ondex-host render [--plugin PATH] [--in FILE] --out FILE [options]\n"
    "\n"
    "Runs audio through a VST 2.4, CLAP, VST 3 or LV2 plug-in and writes the result.\n"
    "\n"
    "  --plugin PATH      the module, or a VST 3 or LV2 bundle folder (default:\n"
    "                     Ondex beside ondex-host)\n"
    "  --in FILE          input audio, mono or stereo (default: the built-in demo phrase)\n"
    "  --out FILE         output; the extension names the format (.wav, .aiff, .flac, ...)\n"
    "  --float            write 32-bit float samples (default: 24-bit integer)\n"
    "  --program P        program by name or index (see ondex-host info)\n"
    "  --set NAME=VALUE   set a parameter by name to VALUE in 0..1 (repeatable)\n"
    "  --tempo BPM        tempo the host reports (default 120)\n"
    "  --block N          frames per processing block (default 512)\n"
    "  --tail SECONDS     keep processing this long after the input (default: until\n"
    "                     the echoes in force have died away, at most 30 s)\n"
    "  --cc T:CH:CC:VAL   MIDI control change at T seconds, channel 1..16,\n"
    "                     controller and value 0..127 (repeatable)\n"
    "  --state FILE       restore the plug-in's state chunk from FILE first\n"
    "  --save-state FILE  save the plug-in's state chunk after rendering\n"
    "  --verbose          log what the host does and what the plug-in reports\n"
    "\n"
    "--state comes first, then --program, then each --set in order.\n";

constexpr double kDemoRate = 44100.0;
constexpr long kLargestBlock = 65536;

}  // namespace

int runRender(const Args& args) {
  const ParsedOptions options = parseOptions(args,
                                             {{"plugin"},
                                              {"in"},
                                              {"out"},
                                              {"program"},
                                              {"set"},
                                              {"tempo"},
                                              {"block"},
                                              {"tail"},
                                              {"cc"},
                                              {"state"},
                                              {"save-state"},
                                              {"float", false},
                                              {"verbose", false}},
                                             "render");
  if (options.helpWanted) {
    std::fputs(kHelp, stdout);
    return 0;
  }
  if (!options.has("out")) {
    throw Failure("render: --out FILE is required (see ondex-host render --help)");
  }
  const bool verbose = options.has("verbose");
  HostSettings settings;
  settings.verbose = verbose;
  settings.tempo = parseNumber(options.value("tempo", "120"), "--tempo");
  if (settings.tempo <= 0.0 || settings.tempo > 999.0) {
    throw Failure("--tempo must be above 0 and at most 999");
  }
  const long block = parseInteger(options.value("block", "512"), "--block");
  if (block < 1 || block > kLargestBlock) {
    throw Failure("--block must be 1.." + std::to_string(kLargestBlock));
  }
  settings.blockSize = static_cast<VstInt32>(block);
  double tailSeconds = -1.0;
  if (options.has("tail")) {
    tailSeconds = parseNumber(options.value("tail"), "--tail");
    if (tailSeconds < 0.0 || tailSeconds > 3600.0) {
      throw Failure("--tail must be 0..3600 seconds");
    }
  }
  ControlSchedule controls;
  for (const std::string& text : options.all("cc")) {
    controls.add(parseControlChange(text));
  }

  const Audio input =
      options.has("in") ? readAudioFile(options.value("in")) : demoPhrase(kDemoRate);
  settings.sampleRate = input.sampleRate;
  // Both outputs are checked now and appear together at the end, or neither.
  OutputFile output(options.value("out"));
  checkOutputFormat(output.path());
  std::optional<OutputFile> stateOutput;
  if (options.has("save-state")) {
    stateOutput.emplace(options.value("save-state"));
  }
  const std::vector<unsigned char> restoredState =
      options.has("state") ? readStateFile(options.value("state")) : std::vector<unsigned char>{};

  PluginLibrary library(options.value("plugin", defaultPluginPath()));
  auto plugin = library.instantiate(settings);
  if ((options.has("state") || options.has("save-state")) && !plugin->usesChunks()) {
    throw Failure(library.path() +
                  " keeps no state chunk, so --state and --save-state cannot be used");
  }
  if (!restoredState.empty() && !plugin->setChunk(restoredState)) {
    throw Failure("the plug-in refused the state in " + options.value("state"));
  }
  applyChosenState(*plugin, options, verbose);
  TailRule tail = defaultTail(*plugin, settings.tempo);
  if (tailSeconds >= 0.0) {
    tail.fixedSeconds = tailSeconds;
    tail.maxSeconds = tailSeconds;
  }

  ProgressBar progress(standardErrorIsTerminal());
  const auto started = std::chrono::steady_clock::now();
  plugin->start();
  const Audio rendered = renderThrough(*plugin, input, tail, controls, progress);
  plugin->stop();
  const std::chrono::duration<double> took = std::chrono::steady_clock::now() - started;

  if (stateOutput) {
    const std::vector<unsigned char> state = plugin->chunk();
    if (state.empty()) {
      throw Failure("the plug-in gave no state to save");
    }
    writeStateFile(stateOutput->temporaryPath(), state);
  }
  writeAudioFile(output.temporaryPath(), output.path(), rendered,
                 options.has("float") ? SampleFormat::Float32 : SampleFormat::Pcm24);
  output.commit();
  if (stateOutput) {
    stateOutput->commit();
  }

  const Levels levels = measureLevels(rendered);
  std::printf("%s: %.2f s, peak %s, RMS %s, %.0fx real time\n", output.path().c_str(),
              rendered.seconds(), formatDb(levels.peakDb).c_str(), formatDb(levels.rmsDb).c_str(),
              rendered.seconds() / std::max(took.count(), 1e-9));
  return 0;
}
