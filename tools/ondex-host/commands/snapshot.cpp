// snapshot: a picture of Ondex's editor, drawn without any display.
#include <algorithm>
#include <array>
#include <cstdio>
#include <filesystem>

#include "arguments.h"
#include "chosenstate.h"
#include "commands.h"
#include "controlchanges.h"
#include "demophrase.h"
#include "failure.h"
#include "gui/cframe.h"
#include "gui/pngwriter.h"
#include "gui/zoomscale.h"
#include "hostedplugin.h"
#include "linkedondex.h"
#include "outputfile.h"
#include "progressbar.h"
#include "renderer.h"

namespace {

const char* kHelp =
    "usage: ondex-host snapshot --out FILE.png [--program P] [--set NAME=VALUE ...] [--about]\n"
    "                           [--zoom 100|150|200] [--name TEXT]\n"
    "\n"
    "Opens Ondex's editor without a window on the chosen state, lets a moment of\n"
    "the built-in demo phrase play through it so the display, lamps and meter\n"
    "show it running, runs the editor's idle and writes the window as a PNG.\n"
    "Uses the Ondex code built into ondex-host (no --plugin).\n"
    "\n"
    "  --out FILE.png     the picture to write\n"
    "  --program P        program by name or index (see ondex-host info)\n"
    "  --set NAME=VALUE   set a parameter by name to VALUE in 0..1 (repeatable)\n"
    "  --about            click the logo first, showing the about picture\n"
    "  --zoom Z           the editor at 100, 150 or 200 % (default 100, whatever\n"
    "                     zoom the user chose for the plug-in's window)\n"
    "  --name TEXT        rename the program shown (up to 24 characters)\n";

// Long enough for the first notes to reach the meter and the delay display.
constexpr double kPlaySeconds = 0.3;

void playAMoment(HostedPlugin& plugin, double sampleRate) {
  Audio phrase = demoPhrase(sampleRate);
  const auto frames = static_cast<size_t>(kPlaySeconds * sampleRate);
  for (auto& channel : phrase.channels) {
    channel.resize(std::min(channel.size(), frames));
  }
  TailRule noTail;
  noTail.fixedSeconds = 0.0;
  ProgressBar silent(false);
  renderThrough(plugin, phrase, noTail, ControlSchedule{}, silent);
}

int zoomOption(const ParsedOptions& options) {
  if (!options.has("zoom")) {
    return 100;
  }
  const std::string text = options.value("zoom");
  for (const int zoom : kZooms) {
    if (text == std::to_string(zoom)) {
      return zoom;
    }
  }
  throw Failure("snapshot: --zoom takes 100, 150 or 200, not " + text);
}

// A left click in the middle of the about hotspot, as the user gives it (in
// window pixels, which the frame maps to its views).
void clickAbout(CFrame& frame) {
  for (int32_t i = 0; i < frame.getNbViews(); ++i) {
    CView* view = frame.getView(i);
    if (view->isTypeOf("CAbout")) {
      const CRect& r = view->getViewSize();
      const double scale = frame.getZoom() / 100.0;
      CPoint where((r.left + r.right) / 2 * scale, (r.top + r.bottom) / 2 * scale);
      frame.onMouseDown(where, kLButton);
      frame.onMouseUp(where, kLButton);
      return;
    }
  }
  throw Failure("the editor has no about hotspot");
}

}  // namespace

int runSnapshot(const Args& args) {
  const ParsedOptions options = parseOptions(
      args, {{"out"}, {"program"}, {"set"}, {"about", false}, {"zoom"}, {"name"}}, "snapshot");
  if (options.helpWanted) {
    std::fputs(kHelp, stdout);
    return 0;
  }
  if (!options.has("out")) {
    throw Failure("snapshot: --out FILE.png is required (see ondex-host snapshot --help)");
  }
  const std::string path = options.value("out");
  const int zoom = zoomOption(options);
  if (std::filesystem::path(path).extension() != ".png") {
    throw Failure("cannot write " + path + ": a snapshot is a .png file");
  }
  OutputFile output(path);

  const HostSettings settings;
  auto plugin = linkedOndex().instantiate(settings);
  applyChosenState(*plugin, options, false);
  if (options.has("name")) {
    // The host's buffer for a program name: 24 characters and the end.
    std::array<char, 25> name{};
    options.value("name").copy(name.data(), name.size() - 1);
    plugin->dispatch(effSetProgramName, 0, 0, name.data());
  }
  plugin->start();
  playAMoment(*plugin, settings.sampleRate);

  // No parent window: the editor's frame stays headless.
  plugin->dispatch(effEditOpen);
  CFrame* frame = openEditorFrame(*plugin);
  if (frame == nullptr) {
    throw Failure("the editor did not open");
  }
  frame->setZoom(zoom);
  // An idle pass draws what the one before it set.
  plugin->dispatch(effEditIdle);
  plugin->dispatch(effEditIdle);
  if (options.has("about")) {
    clickAbout(*frame);
    plugin->dispatch(effEditIdle);
  }
  const int width = frame->getPixelWidth();
  const int height = frame->getPixelHeight();
  const bool written = writeFramePng(*frame, output.temporaryPath().c_str());
  plugin->dispatch(effEditClose);
  if (!written) {
    throw Failure("cannot write " + path);
  }
  output.commit();
  std::printf("%s: the editor window, %d x %d pixels\n", path.c_str(), width, height);
  return 0;
}
