// The LV2 state: one property holding the effect's bytes, the same VST 2.4
// bank chunk every format stores, so a session moves between formats whole.
#include <algorithm>
#include <iterator>

#include "lv2plugin.h"
#include "presets/factorypresets.h"

LV2_State_Status Lv2Plugin::save(LV2_State_Store_Function store, LV2_State_Handle state) {
  const unsigned char* bytes = nullptr;
  const size_t size = ondex->saveState(bytes);
  if (size == 0 || bytes == nullptr) {
    return LV2_STATE_ERR_UNKNOWN;
  }
  // Plain bytes with no host-specific meaning: the host may copy them anywhere.
  return store(state, urid.chunk, bytes, size, urid.atomChunk,
               LV2_STATE_IS_POD | LV2_STATE_IS_PORTABLE);
}

// The host restores on its main thread, as a VST 2.4 host loads a chunk, and
// the effect takes a load while it processes; the values it moved reach the
// ports through the editor's module. What the ports hold at the next run is
// no news: an older value in them undoes nothing of the load.
LV2_State_Status Lv2Plugin::restore(LV2_State_Retrieve_Function retrieve, LV2_State_Handle state) {
  size_t size = 0;
  uint32_t type = 0;
  uint32_t flags = 0;
  bool loaded = false;
  if (const void* bytes = retrieve(state, urid.chunk, &size, &type, &flags); bytes != nullptr) {
    if (type != urid.atomChunk) {
      return LV2_STATE_ERR_BAD_TYPE;
    }
    loaded = ondex->loadState(static_cast<const unsigned char*>(bytes), size);
  } else if (const void* index = retrieve(state, urid.factoryProgram, &size, &type, &flags);
             index != nullptr) {
    loaded = loadFactoryProgram(index, size, type);
  } else {
    return LV2_STATE_ERR_NO_PROPERTY;
  }
  if (!loaded) {
    return LV2_STATE_ERR_UNKNOWN;
  }
  portsSeenAfterLoad.store(true);
  return LV2_STATE_SUCCESS;
}

// A factory preset chosen from the host's list loads as a preset file of
// that program does from the panel: the current program takes its name and
// values. The host writes the same values to the ports, but a port that
// already held one would not count as moved.
bool Lv2Plugin::loadFactoryProgram(const void* value, size_t size, uint32_t type) {
  if (type != urid.atomInt || size != sizeof(int32_t)) {
    return false;
  }
  const int32_t index = *static_cast<const int32_t*>(value);
  if (index < 0 || index >= kNumPrograms) {
    return false;
  }
  Program program{};
  copyProgramName(program.name, kFactoryPresets[index].name);
  std::copy(std::begin(kFactoryPresets[index].values), std::end(kFactoryPresets[index].values),
            std::begin(program.values));
  ondex->loadProgram(program);
  return true;
}