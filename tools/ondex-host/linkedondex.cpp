#include "linkedondex.h"

#include "editor/editor.h"
#include "engine/editorfactory.h"
#include "gui/aeffguieditor.h"
#include "host/audioeffect.h"
#include "host/pluginentry.h"

namespace {

AEffect* linkedEntry(audioMasterCallback audioMaster) {
  setEditorFactory(&createEditor);
  return pluginEntry(audioMaster);
}

}  // namespace

PluginLibrary linkedOndex() {
  return PluginLibrary("Ondex (linked into ondex-host)", &linkedEntry);
}

CFrame* openEditorFrame(const HostedPlugin& plugin) {
  auto* effect = static_cast<AudioEffect*>(plugin.effect()->object);
  auto* editor = dynamic_cast<AEffGUIEditor*>(effect != nullptr ? effect->getEditor() : nullptr);
  return editor != nullptr ? editor->getFrame() : nullptr;
}
