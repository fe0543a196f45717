// ondex-host: a command-line VST 2.4, CLAP, VST 3 and LV2 host.
#include <cstdio>
#include <exception>
#include <string>

#include "commands/commands.h"
#include "failure.h"
#include "ondexversion.h"

namespace {

const char* kHelp =
    "usage: ondex-host COMMAND [options]\n"
    "\n"
    "A command-line VST 2.4, CLAP, VST 3 and LV2 host: loads a plug-in module (a\n"
    "VST 3 bundle folder) through its entry, an LV2 bundle through lilv, as a DAW\n"
    "does, and runs audio through it.\n"
    "\n"
    "commands:\n"
    "  info     what the plug-in says about itself: parameters, programs\n"
    "  render   run an audio file (or the built-in demo phrase) through it\n"
    "  demo     the built-in phrase through every program, one file each\n"
    "  bench    processing speed: time per sample frame, real-time factor\n"
    "  snapshot a picture of Ondex's editor window, as a PNG\n"
    "\n"
    "Run 'ondex-host COMMAND --help' for the options of each, and\n"
    "'ondex-host --version' for the version.\n";

}  // namespace

int main(int argc, char** argv) {
  rememberProgramPath(argc > 0 ? argv[0] : nullptr);
  const Args all(argv + 1, argv + argc);
  if (all.empty() || all[0] == "--help" || all[0] == "-h" || all[0] == "help") {
    std::fputs(kHelp, all.empty() ? stderr : stdout);
    return all.empty() ? kExitBadInput : 0;
  }
  if (all[0] == "--version") {
    std::printf("ondex-host %s\n", kOndexVersion);
    return 0;
  }
  const Args rest(all.begin() + 1, all.end());
  try {
    if (all[0] == "info") return runInfo(rest);
    if (all[0] == "render") return runRender(rest);
    if (all[0] == "demo") return runDemo(rest);
    if (all[0] == "bench") return runBench(rest);
    if (all[0] == "snapshot") return runSnapshot(rest);
    throw Failure("unknown command '" + all[0] +
                  "' (commands: info, render, demo, bench, snapshot)");
  } catch (const Failure& failure) {
    std::fflush(stdout);
    std::fprintf(stderr, "ondex-host: %s\n", failure.what());
    return kExitBadInput;
  } catch (const std::exception& error) {
    std::fflush(stdout);
    std::fprintf(stderr, "ondex-host: internal error: %s\n", error.what());
    return 1;
  }
}
