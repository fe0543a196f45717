// The LV2 DSP module's face: the exported descriptor of Ondex's one plug-in,
// the state interface, and the calls that lead to the instance. Nothing
// escapes them as an exception.
#include <cstring>

#include "lv2plugin.h"
#include "plugin/hostcallguard.h"
#include "plugin/moduleexport.h"

namespace {

LV2_Handle instantiate(const LV2_Descriptor* /*descriptor*/, double rate, const char* /*bundle*/,
                       const LV2_Feature* const* features) {
  Lv2Plugin* plugin =
      guarded<Lv2Plugin*>(nullptr, [=] { return Lv2Plugin::create(rate, features); });
  return plugin != nullptr ? plugin->handle() : nullptr;
}

void connectPort(LV2_Handle instance, uint32_t port, void* data) {
  Lv2Plugin::of(instance)->connect(port, data);
}

void activate(LV2_Handle instance) {
  guarded([=] { Lv2Plugin::of(instance)->activate(); });
}

void run(LV2_Handle instance, uint32_t frames) { Lv2Plugin::of(instance)->run(frames); }

void deactivate(LV2_Handle instance) {
  guarded([=] { Lv2Plugin::of(instance)->deactivate(); });
}

void cleanup(LV2_Handle instance) {
  guarded([=] { delete Lv2Plugin::of(instance); });
}

LV2_State_Status save(LV2_Handle instance, LV2_State_Store_Function store, LV2_State_Handle state,
                      uint32_t /*flags*/, const LV2_Feature* const* /*features*/) {
  if (store == nullptr) {
    return LV2_STATE_ERR_UNKNOWN;
  }
  return guarded(LV2_STATE_ERR_UNKNOWN,
                 [=] { return Lv2Plugin::of(instance)->save(store, state); });
}

LV2_State_Status restore(LV2_Handle instance, LV2_State_Retrieve_Function retrieve,
                         LV2_State_Handle state, uint32_t /*flags*/,
                         const LV2_Feature* const* /*features*/) {
  if (retrieve == nullptr) {
    return LV2_STATE_ERR_UNKNOWN;
  }
  return guarded(LV2_STATE_ERR_UNKNOWN,
                 [=] { return Lv2Plugin::of(instance)->restore(retrieve, state); });
}

const LV2_State_Interface kState = {save, restore};

const void* extensionData(const char* uri) {
  return uri != nullptr && std::strcmp(uri, LV2_STATE__interface) == 0 ? &kState : nullptr;
}

const LV2_Descriptor kDescriptor = {kLv2PluginUri, instantiate, connectPort, activate,
                                    run,           deactivate,  cleanup,     extensionData};

}  // namespace

extern "C" ONDEX_EXPORT const LV2_Descriptor* lv2_descriptor(uint32_t index) {
  return index == 0 ? &kDescriptor : nullptr;
}
