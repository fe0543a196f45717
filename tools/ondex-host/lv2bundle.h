// An LV2 bundle read through lilv as an LV2 host reads it: the one plug-in it
// describes, its ports with their ranges and properties, its presets and its
// UIs. Only this bundle is loaded, not the whole LV2_PATH, so what runs is
// the folder named and nothing installed elsewhere.
#pragma once

#include <lilv/lilv.h>

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

#include "lv2urids.h"

struct Lv2Port {
  enum class Kind : uint8_t { kAudio, kControl, kAtom, kOther };
  uint32_t index = 0;
  std::string symbol;
  std::string name;
  Kind kind = Kind::kOther;
  bool input = false;
  float minimum = 0.0f;
  float maximum = 1.0f;
  float defaultValue = 0.0f;
  bool toggled = false;
  bool integer = false;
  bool enumeration = false;
  bool optional = false;  // lv2:connectionOptional
  std::vector<std::pair<float, std::string>> scalePoints;
  std::string unit;            // the unit's symbol, "" for none
  uint32_t minimumBuffer = 0;  // atom ports: the size the plug-in asks for, in bytes
};

struct Lv2Preset {
  std::string uri;
  std::string label;
};

class Lv2Bundle {
 public:
  // Reads the bundle folder; throws Failure when it holds no usable plug-in.
  explicit Lv2Bundle(std::string path);
  ~Lv2Bundle();
  Lv2Bundle(const Lv2Bundle&) = delete;
  Lv2Bundle& operator=(const Lv2Bundle&) = delete;

  LilvWorld* world() const { return lilvWorld; }
  const LilvPlugin* plugin() const { return lilvPlugin; }
  const std::string& path() const { return bundlePath; }
  UridMap& urids() const { return uridMap; }

  std::string uri() const;
  std::string name() const;
  std::string author() const;
  std::string version() const;  // "minor.micro"
  bool hasExtension(const char* uri) const;
  // The plug-in's X11 UI, or null.
  const LilvUI* x11Ui() const;

  const std::vector<Lv2Port>& ports() const { return portList; }
  // Sorted by URI, which for numbered presets is their numbers' order.
  const std::vector<Lv2Preset>& presets() const { return presetList; }

 private:
  void readPorts();
  void readPresets();
  LilvNode* node(const char* uri) const;

  std::string bundlePath;
  LilvWorld* lilvWorld = nullptr;
  const LilvPlugin* lilvPlugin = nullptr;
  LilvUIs* uis = nullptr;
  mutable UridMap uridMap;
  std::vector<Lv2Port> portList;
  std::vector<Lv2Preset> presetList;
};
