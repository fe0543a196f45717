#include "linkedondex.h"

#include "gui/aeffguieditor.h"
#include "host/audioeffect.h"
#include "plugin/ondexentry.h"

namespace {

AEffect* linkedEntry(audioMasterCallback audioMaster) { return ondexEntry(audioMaster); }

}  // namespace

PluginLibrary linkedOndex() {
  return PluginLibrary("Ondex (linked into ondex-host)", &linkedEntry);
}

CFrame* openEditorFrame(const HostedPlugin& plugin) {
  auto* effect = static_cast<AudioEffect*>(plugin.effect()->object);
  auto* editor = dynamic_cast<AEffGUIEditor*>(effect != nullptr ? effect->getEditor() : nullptr);
  return editor != nullptr ? editor->getFrame() : nullptr;
}
