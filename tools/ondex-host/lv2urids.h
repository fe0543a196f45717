// The host's URID map and unmap: one number per URI for the life of the
// table, handed to every instance of a bundle and to its UI.
#pragma once

#include <lv2/core/lv2.h>
#include <lv2/urid/urid.h>

#include <deque>
#include <mutex>
#include <string>
#include <unordered_map>

class UridMap {
 public:
  UridMap();
  UridMap(const UridMap&) = delete;
  UridMap& operator=(const UridMap&) = delete;

  LV2_URID map(const char* uri);
  // The URI of `id`, or null for a number never handed out.
  const char* unmap(LV2_URID id) const;

  LV2_URID_Map* lv2Map() { return &mapFace; }
  const LV2_Feature* mapFeature() const { return &mapping; }
  const LV2_Feature* unmapFeature() const { return &unmapping; }

 private:
  mutable std::mutex lock;  // plug-ins may map from threads of their own
  std::unordered_map<std::string, LV2_URID> ids;
  std::deque<std::string> uris;  // URID n is uris[n - 1]; a deque keeps the texts in place
  LV2_URID_Map mapFace{};
  LV2_URID_Unmap unmapFace{};
  LV2_Feature mapping{};
  LV2_Feature unmapping{};
};
