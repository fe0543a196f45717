// The VST 3 module as the tests hold it: loaded once and kept for the run, as
// hosts keep their modules (and so that the font libraries the editor brought
// in are not unloaded under their caches).
#pragma once

#include <gtest/gtest.h>

#include <memory>

#include "platform/pluginmodule.h"
#include "vst3module.h"  // ondex-host's

inline const Vst3Module& keptVst3Module() {
  static Vst3Module* const kept = [] {
    std::string error;
    auto loaded = platform::PluginModule::load(vst3BinaryOf(ONDEX_VST3_PATH), error);
    EXPECT_NE(loaded, nullptr) << error;
    return new Vst3Module(ONDEX_VST3_PATH, *loaded.release());
  }();
  return *kept;
}
