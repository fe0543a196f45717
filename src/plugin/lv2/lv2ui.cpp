// The LV2 editor's module: the effect's own editor, embedded in the host's
// parent window (ui:parent) and idled by the host (ui:idleInterface), on the
// instance the host hands over (instance access). Each idle pass writes the
// values the plug-in moved itself to the host's ports, so its controls show
// them; the editor's zoom resizes the host's window (ui:resize).
#include <cstdint>
#include <cstring>
#include <new>

#include "lv2/core/lv2_util.h"
#include "lv2/instance-access/instance-access.h"
#include "lv2/ui/ui.h"
#include "lv2identity.h"
#include "lv2link.h"
#include "lv2portvalues.h"
#include "lv2uiwindow.h"
#include "plugin/moduleexport.h"
#include "plugin/ondexeffect.h"

namespace {

struct Editor {
  Lv2InstanceLink* link = nullptr;
  OndexEffect* effect = nullptr;
  LV2UI_Write_Function write = nullptr;
  LV2UI_Controller controller = nullptr;
  const LV2UI_Resize* resize = nullptr;
  const LV2UI_Touch* touch = nullptr;  // optional: the host learns where a gesture starts and ends
};

// Calls `each` with the index of every bit set in `bits`.
template <typename Each>
void forEachBit(uint32_t bits, Each&& each) {
  for (uint32_t id = 0; bits != 0; ++id, bits >>= 1U) {
    if ((bits & 1U) != 0) {
      each(id);
    }
  }
}

bool resizeHost(void* context, int32_t width, int32_t height) {
  const auto* editor = static_cast<Editor*>(context);
  return editor->resize != nullptr &&
         editor->resize->ui_resize(editor->resize->handle, width, height) == 0;
}

// Whatever the plug-in moved itself since the last pass reaches the host's
// port, inside the editor's gestures where it made them.
void tellHost(Editor& editor) {
  const Lv2Gestures gestures = editor.link->takeGestures();
  const auto touch = [&editor](uint32_t id, bool grabbed) {
    if (editor.touch != nullptr) {
      editor.touch->touch(editor.touch->handle, kLv2FirstParameter + id, grabbed);
    }
  };
  forEachBit(gestures.begun, [&touch](uint32_t id) { touch(id, true); });
  forEachBit(editor.link->takeMovedParameters(), [&editor](uint32_t id) {
    float value = lv2PortFromNormalized(static_cast<int>(id), editor.effect->parameter(id));
    editor.link->portWritten(id, value);
    editor.write(editor.controller, kLv2FirstParameter + id, sizeof(float), 0, &value);
  });
  forEachBit(gestures.ended, [&touch](uint32_t id) { touch(id, false); });
}

LV2UI_Handle instantiate(const LV2UI_Descriptor* /*descriptor*/, const char* pluginUri,
                         const char* /*bundle*/, LV2UI_Write_Function write,
                         LV2UI_Controller controller, LV2UI_Widget* widget,
                         const LV2_Feature* const* features) {
  void* parent = lv2_features_data(features, LV2_UI__parent);
  auto* link = static_cast<Lv2InstanceLink*>(lv2_features_data(features, LV2_INSTANCE_ACCESS_URI));
  if (parent == nullptr || link == nullptr || write == nullptr || widget == nullptr ||
      pluginUri == nullptr || std::strcmp(pluginUri, kLv2PluginUri) != 0) {
    return nullptr;
  }
  OndexEffect* effect = link->effect();
  if (effect == nullptr || !effect->hasEditor()) {
    return nullptr;
  }
  auto* editor = new (std::nothrow) Editor;
  if (editor == nullptr) {
    return nullptr;
  }
  editor->link = link;
  editor->effect = effect;
  editor->write = write;
  editor->controller = controller;
  editor->resize = static_cast<const LV2UI_Resize*>(lv2_features_data(features, LV2_UI__resize));
  editor->touch = static_cast<const LV2UI_Touch*>(lv2_features_data(features, LV2_UI__touch));
  // The host's window takes the size of the stored zoom before the editor shows.
  uint32_t width = 0;
  uint32_t height = 0;
  if (effect->editorSize(width, height)) {
    resizeHost(editor, static_cast<int32_t>(width), static_cast<int32_t>(height));
  }
  link->setEditorResize(resizeHost, editor);
  if (!effect->openEditor(parent)) {
    link->setEditorResize(nullptr, nullptr);
    delete editor;
    return nullptr;
  }
  // An XID passed as a pointer, as ui:parent and the widget of an X11 UI are.
  *widget = reinterpret_cast<LV2UI_Widget>(  // NOLINT(performance-no-int-to-ptr)
      lv2EditorWindow(reinterpret_cast<uintptr_t>(parent)));
  return editor;
}

void cleanup(LV2UI_Handle handle) {
  auto* editor = static_cast<Editor*>(handle);
  editor->link->setEditorResize(nullptr, nullptr);
  editor->effect->closeEditor();
  delete editor;
}

// The editor reads the effect itself: a port's news needs no showing here.
void portEvent(LV2UI_Handle /*handle*/, uint32_t /*port*/, uint32_t /*size*/, uint32_t /*format*/,
               const void* /*buffer*/) {}

int idle(LV2UI_Handle handle) {
  auto* editor = static_cast<Editor*>(handle);
  editor->effect->idleEditor();
  tellHost(*editor);
  return 0;
}

const LV2UI_Idle_Interface kIdle = {idle};

const void* extensionData(const char* uri) {
  return uri != nullptr && std::strcmp(uri, LV2_UI__idleInterface) == 0 ? &kIdle : nullptr;
}

const LV2UI_Descriptor kDescriptor = {kLv2UiUri, instantiate, cleanup, portEvent, extensionData};

}  // namespace

extern "C" ONDEX_EXPORT const LV2UI_Descriptor* lv2ui_descriptor(uint32_t index) {
  return index == 0 ? &kDescriptor : nullptr;
}
