// The LV2 state: one property holding the effect's bytes, the same VST 2.4
// bank chunk every format stores, so a session moves between formats whole.
#include "lv2plugin.h"

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
// ports through the editor's module.
LV2_State_Status Lv2Plugin::restore(LV2_State_Retrieve_Function retrieve, LV2_State_Handle state) {
  size_t size = 0;
  uint32_t type = 0;
  uint32_t flags = 0;
  const void* bytes = retrieve(state, urid.chunk, &size, &type, &flags);
  if (bytes == nullptr) {
    return LV2_STATE_ERR_NO_PROPERTY;
  }
  if (type != urid.atomChunk) {
    return LV2_STATE_ERR_BAD_TYPE;
  }
  return ondex->loadState(static_cast<const unsigned char*>(bytes), size) ? LV2_STATE_SUCCESS
                                                                          : LV2_STATE_ERR_UNKNOWN;
}
