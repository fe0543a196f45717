// The built module loaded as a host loads it: by path, through its exports.
#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "fakehost.h"
#include "platform/pluginmodule.h"

namespace {

using EntryPoint = AEffect* (*)(audioMasterCallback);

std::string text(AEffect* e, VstInt32 opcode) {
  char buffer[128];
  std::memset(buffer, 0, sizeof(buffer));
  e->dispatcher(e, opcode, 0, 0, buffer, 0.0f);
  return buffer;
}

class Module : public ::testing::Test {
 protected:
  void SetUp() override {
    std::string error;
    module = platform::PluginModule::load(ONDEX_MODULE_PATH, error);
    ASSERT_NE(module, nullptr) << error;
  }
  std::unique_ptr<platform::PluginModule> module;
};

}  // namespace

TEST_F(Module, ExportsBothEntryNames) {
  EXPECT_NE(module->symbol("VSTPluginMain"), nullptr);
  EXPECT_NE(module->symbol("main"), nullptr);
}

TEST_F(Module, EitherNameCreatesAnEffectWithTheSameIdentity) {
  for (const char* name : {"VSTPluginMain", "main"}) {
    FakeHost host;
    auto entry = reinterpret_cast<EntryPoint>(module->symbol(name));  // NOLINT: exported function
    ASSERT_NE(entry, nullptr) << name;
    AEffect* e = entry(FakeHost::callback);
    ASSERT_NE(e, nullptr) << name;
    EXPECT_EQ(e->magic, kEffectMagic);
    EXPECT_EQ(e->flags, 0x31);  // the module's effects always have their editor
    EXPECT_EQ(e->uniqueID, fourCharCode('O', 'n', 'd', 'x'));
    EXPECT_EQ(e->numInputs, 2);
    EXPECT_EQ(e->numOutputs, 2);
    EXPECT_EQ(e->numParams, 36);
    EXPECT_EQ(e->numPrograms, 1);
    EXPECT_EQ(text(e, effGetEffectName), "Corvane Ondex");
    EXPECT_EQ(text(e, effGetVendorString), "Zel-acoustics");
    EXPECT_EQ(text(e, effGetProductString),
              "Corvane Ondex - clocked echoes that bend, drift, double or loop");
    EXPECT_EQ(e->dispatcher(e, effGetVstVersion, 0, 0, nullptr, 0.0f), 2400);
    EXPECT_EQ(e->dispatcher(e, effIdentify, 0, 0, nullptr, 0.0f), 0x4E764566);
    EXPECT_EQ(e->dispatcher(e, effClose, 0, 0, nullptr, 0.0f), 1);
  }
}

TEST_F(Module, RefusesAHostWithoutAVersion) {
  FakeHost host;
  host.version = 0;
  auto entry = reinterpret_cast<EntryPoint>(module->symbol("VSTPluginMain"));  // NOLINT
  EXPECT_EQ(entry(FakeHost::callback), nullptr);
}
