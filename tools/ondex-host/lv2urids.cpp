#include "lv2urids.h"

UridMap::UridMap() {
  mapFace.handle = this;
  mapFace.map = [](LV2_URID_Map_Handle self, const char* uri) {
    return static_cast<UridMap*>(self)->map(uri);
  };
  unmapFace.handle = this;
  unmapFace.unmap = [](LV2_URID_Unmap_Handle self, LV2_URID id) {
    return static_cast<UridMap*>(self)->unmap(id);
  };
  mapping = {LV2_URID__map, &mapFace};
  unmapping = {LV2_URID__unmap, &unmapFace};
}

LV2_URID UridMap::map(const char* uri) {
  if (uri == nullptr) {
    return 0;
  }
  const std::scoped_lock guard(lock);
  const auto [at, added] = ids.try_emplace(uri, static_cast<LV2_URID>(uris.size() + 1));
  if (added) {
    uris.emplace_back(uri);
  }
  return at->second;
}

const char* UridMap::unmap(LV2_URID id) const {
  const std::scoped_lock guard(lock);
  return id >= 1 && id <= uris.size() ? uris[id - 1].c_str() : nullptr;
}
