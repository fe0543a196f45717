// info: what a plug-in says about itself.
#include <cstdio>

#include "arguments.h"
#include "clapinstance.h"
#include "commands.h"
#include "hostedplugin.h"
#include "programs.h"
#if !defined(_WIN32)
#include "lv2bundle.h"
#endif
#include "system.h"
#include "vst3module.h"

namespace {

const char* kHelp =
    "usage: ondex-host info [--plugin PATH]\n"
    "\n"
    "Loads a VST 2.4, CLAP, VST 3 or LV2 plug-in as a DAW does and prints its\n"
    "identity, inputs and outputs, flags, every parameter (index, name, label,\n"
    "display text) and every program name.\n"
    "\n"
    "  --plugin PATH   the module, or a VST 3 or LV2 bundle folder (default: Ondex\n"
    "                  beside ondex-host)\n";

std::string fourChars(VstInt32 id) {
  std::string text;
  for (int shift = 24; shift >= 0; shift -= 8) {
    const auto c = static_cast<char>((static_cast<std::uint32_t>(id) >> shift) & 0xff);
    text += (c >= 32 && c < 127) ? c : '?';
  }
  return text;
}

std::string flagNames(VstInt32 flags) {
  const std::pair<VstInt32, const char*> known[] = {{effFlagsHasEditor, "editor"},
                                                    {effFlagsCanReplacing, "replacing"},
                                                    {effFlagsProgramChunks, "chunks"},
                                                    {effFlagsIsSynth, "synth"},
                                                    {effFlagsNoSoundInStop, "no-sound-in-stop"},
                                                    {effFlagsCanDoubleReplacing, "double"}};
  std::string names;
  for (const auto& [bit, name] : known) {
    if ((flags & bit) != 0) {
      names += names.empty() ? name : std::string(" ") + name;
    }
  }
  return names;
}

}  // namespace

int runInfo(const Args& args) {
  const ParsedOptions options = parseOptions(args, {{"plugin"}}, "info");
  if (options.helpWanted) {
    std::fputs(kHelp, stdout);
    return 0;
  }
  PluginLibrary library(options.value("plugin", defaultPluginPath()));
  auto plugin = library.instantiate(HostSettings{});
  const AEffect* e = plugin->effect();
  std::printf("module      %s\n", library.path().c_str());
  std::printf("effect      %s\n", plugin->text(effGetEffectName).c_str());
  std::printf("vendor      %s\n", plugin->text(effGetVendorString).c_str());
  std::printf("product     %s\n", plugin->text(effGetProductString).c_str());
  const std::string fileVersion = moduleVersionInfo(library.path());
  if (!fileVersion.empty()) {
    std::printf("file info   %s\n", fileVersion.c_str());
  }
  if (const ClapModule* clap = library.clapModule()) {
    const clap_plugin_descriptor_t& d = clap->descriptor();
    std::printf("clap id     %s   version %s   CLAP %u.%u.%u\n", d.id, d.version,
                d.clap_version.major, d.clap_version.minor, d.clap_version.revision);
  } else if (const Vst3Module* vst3 = library.vst3Module()) {
    const Vst3ClassFacts& c = vst3->processorClass();
    std::printf("vst3 class  %s   version %s   %s   %s\n", vst3IdText(c.cid).c_str(),
                c.version.c_str(), c.sdkVersion.c_str(), c.subCategories.c_str());
  }
#if !defined(_WIN32)
  else if (const Lv2Bundle* lv2 = library.lv2Bundle()) {
    std::printf("lv2 uri     %s   version %s\n", lv2->uri().c_str(), lv2->version().c_str());
  }
#endif
  else {
    std::printf("unique id   %s (0x%08x)   version %d   VST version %d\n",
                fourChars(e->uniqueID).c_str(), static_cast<unsigned>(e->uniqueID), e->version,
                static_cast<int>(plugin->dispatch(effGetVstVersion)));
  }
  std::printf("inputs      %d\noutputs     %d\n", e->numInputs, e->numOutputs);
  std::printf("flags       0x%x (%s)\n", static_cast<unsigned>(e->flags),
              flagNames(e->flags).c_str());
  std::printf("latency     %d samples\n", e->initialDelay);
  std::printf("parameters  %d\n", e->numParams);
  for (VstInt32 i = 0; i < e->numParams; ++i) {
    std::printf("  %3d  %-14s %-10s %s\n", i, plugin->parameterName(i).c_str(),
                plugin->text(effGetParamDisplay, i).c_str(),
                plugin->text(effGetParamLabel, i).c_str());
  }
  ProgramList programs(*plugin);
  std::printf(
      "programs    %zu%s\n", programs.names().size(),
      programs.selectedThroughChunk() ? " (kept by the plug-in, chosen through its state)" : "");
  for (size_t i = 0; i < programs.names().size(); ++i) {
    std::printf("  %3zu  %s\n", i, programs.names()[i].c_str());
  }
  return 0;
}
