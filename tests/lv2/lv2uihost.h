// An LV2 host's side of a plug-in's X11 UI, as suil gives it to jalv: the
// UI's module loaded, instantiated in a parent window with the features the
// host offers (parent, URID map, instance access, resize, idle), its port
// writes and size requests recorded, its idle interface driven.
#pragma once

#include <lv2/ui/ui.h>

#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "lv2instance.h"

namespace platform {
class PluginModule;
}

struct Lv2UiFeatures {
  bool instanceAccess = true;
  bool resize = true;
};

class Lv2UiHost {
 public:
  // The bundle's X11 UI on `instance`, in the window `parent`; null when the
  // UI is missing or refuses to start.
  static std::unique_ptr<Lv2UiHost> open(Lv2Instance& instance, void* parent,
                                         Lv2UiFeatures offered = {});
  ~Lv2UiHost();  // cleanup
  Lv2UiHost(const Lv2UiHost&) = delete;
  Lv2UiHost& operator=(const Lv2UiHost&) = delete;

  // One idle call; false when the UI asks to be closed.
  bool idle();
  // The host's news of a control port, as hosts send it after a change.
  void portEvent(uint32_t port, float value);
  unsigned long window() const;  // the UI's own X11 window

  // Control port writes, in order: port index and value. The host applies
  // each to its port, as jalv does.
  std::vector<std::pair<uint32_t, float>> writes;
  std::vector<std::pair<int, int>> resizes;

 private:
  explicit Lv2UiHost(Lv2Instance& instance) : instance(instance) {}
  Lv2Instance& instance;
  std::unique_ptr<platform::PluginModule> module;
  const LV2UI_Descriptor* descriptor = nullptr;
  LV2UI_Handle handle = nullptr;
  LV2UI_Widget widget = nullptr;
  const LV2UI_Idle_Interface* idler = nullptr;
  LV2UI_Resize resizeFace{};
};
