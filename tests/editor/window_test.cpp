// The plug-in module's editor as a host shows it: opened through the
// dispatcher in the host's window (X11 under a virtual display, Win32 under
// Wine), clicked with real input events, its changes reaching the host as
// automation; and opened and closed a hundred times.
#include <gtest/gtest.h>

#include <chrono>
#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <map>
#include <memory>
#include <random>
#include <string>
#include <thread>

#include "fakehost.h"
#include "platform/pluginmodule.h"
#include "windowtesthost.h"

#if !defined(_WIN32)
#include <dirent.h>
#endif

namespace {

using EntryPoint = AEffect* (*)(audioMasterCallback);

constexpr int kWidth = 870;
constexpr int kHeight = 101;
// Inside the HiCut button and the step-up button of the editor's layout.
constexpr int kHiCutX = 258;
constexpr int kHiCutY = 57;
constexpr int kStepUpX = 483;
constexpr int kStepUpY = 46;
// Inside the preset panel's save-preset and load-preset buttons.
constexpr int kSavePresetX = 122;
constexpr int kLoadPresetX = 185;
constexpr int kPanelButtonY = 93;

// Open file descriptors of the process (none on Windows, where Wine keeps its
// own handles).
int openDescriptors() {
  int count = 0;
#if !defined(_WIN32)
  if (DIR* dir = opendir("/proc/self/fd")) {
    while (readdir(dir) != nullptr) {
      ++count;
    }
    closedir(dir);
  }
#endif
  return count;
}

// The module stays loaded for the whole run: unloading it would also unload
// the font libraries it brought in, whose caches then show up as leaks that
// are not the plug-in's.
const platform::PluginModule* keptModule() {
  static const platform::PluginModule* const kept = [] {
    std::string error;
    auto loaded = platform::PluginModule::load(ONDEX_MODULE_PATH, error);
    EXPECT_NE(loaded, nullptr) << error;
    return loaded.release();
  }();
  return kept;
}

class EditorWindowTest : public ::testing::Test {
 protected:
  void SetUp() override {
    host = TestHost::open(kWidth, kHeight);
    ASSERT_NE(host, nullptr) << "no display (run under xvfb-run)";
    const platform::PluginModule* module = keptModule();
    ASSERT_NE(module, nullptr);
    auto entry = reinterpret_cast<EntryPoint>(module->symbol("VSTPluginMain"));  // NOLINT
    ASSERT_NE(entry, nullptr);
    effect = entry(FakeHost::callback);
    ASSERT_NE(effect, nullptr);
  }
  void TearDown() override {
    if (effect != nullptr) {
      dispatch(effClose);
    }
  }
  VstIntPtr dispatch(VstInt32 opcode, VstIntPtr value = 0, void* ptr = nullptr) {
    return effect->dispatcher(effect, opcode, 0, value, ptr, 0.0f);
  }
  float parameter(VstInt32 index) { return effect->getParameter(effect, index); }
  // The host's idle loop: its own events, then the editor's idle, until done.
  bool idleUntil(const std::function<bool()>& done) {
    for (int i = 0; i < 1000; ++i) {
      settle(*host);
      dispatch(effEditIdle);
      if (done()) {
        return true;
      }
      std::this_thread::sleep_for(std::chrono::milliseconds(2));
    }
    return false;
  }

  FakeHost fakeHost;
  std::unique_ptr<TestHost> host;
  AEffect* effect = nullptr;
};

}  // namespace

TEST_F(EditorWindowTest, ClicksOnTheButtonsReachTheHostAsAutomation) {
  ERect* rect = nullptr;
  ASSERT_EQ(dispatch(effEditGetRect, 0, &rect), 1);
  ASSERT_NE(rect, nullptr);
  EXPECT_EQ(rect->right - rect->left, kWidth);
  EXPECT_EQ(rect->bottom - rect->top, kHeight);
  effect->setParameter(effect, 7, 0.25f);   // HiCut off
  effect->setParameter(effect, 15, 0.25f);  // delay mode
  effect->setParameter(effect, 13, 0.25f);  // no infinite repeat
  const float delay = parameter(3);

  ASSERT_EQ(dispatch(effEditOpen, 0, host->parent()), 1);
  ASSERT_TRUE(idleUntil([&] { return host->childWindows() == 1; }));
  fakeHost.clear();

  click(*host, kHiCutX, kHiCutY);
  ASSERT_TRUE(idleUntil([&] { return fakeHost.count(audioMasterAutomate) == 1; }));
  EXPECT_EQ(fakeHost.last(audioMasterAutomate)->index, 7);
  EXPECT_FLOAT_EQ(fakeHost.last(audioMasterAutomate)->opt, 0.75f);
  EXPECT_FLOAT_EQ(parameter(7), 0.75f);

  // One millisecond more, inside the step's own begin and end of an edit.
  fakeHost.clear();
  click(*host, kStepUpX, kStepUpY);
  ASSERT_TRUE(idleUntil([&] { return fakeHost.count(audioMasterAutomate) == 1; }));
  EXPECT_EQ(fakeHost.last(audioMasterAutomate)->index, 3);
  EXPECT_NEAR(fakeHost.last(audioMasterAutomate)->opt, delay + 1.0f / 3200.0f, 1e-6f);
  const std::map<VstInt32, char> letters = {
      {audioMasterBeginEdit, 'b'}, {audioMasterAutomate, 'a'}, {audioMasterEndEdit, 'e'}};
  std::string edits;
  for (const HostRequest& request : fakeHost.requests()) {
    if (letters.count(request.opcode) != 0) {
      edits += letters.at(request.opcode) + std::to_string(request.index);
    }
  }
  EXPECT_EQ(edits, "b3a3e3");  // the button's own tag is no parameter of the host's

  dispatch(effEditClose);
  settle(*host);
  EXPECT_EQ(host->childWindows(), 0);
}

TEST_F(EditorWindowTest, AHundredOpenAndCloseCyclesLeaveNothingBehind) {
  const int descriptorsBefore = openDescriptors();
  for (int i = 0; i < 100; ++i) {
    ASSERT_EQ(dispatch(effEditOpen, 0, host->parent()), 1);
    dispatch(effEditIdle);
    dispatch(effEditClose);
  }
  settle(*host);
  EXPECT_EQ(host->childWindows(), 0);
  EXPECT_EQ(openDescriptors(), descriptorsBefore);
}

// A musician's own sound: saved through the file dialog from the preset panel,
// changed, and loaded back, all by clicks in the window. The dialog is the real
// one, answered by the test (a scripted stand-in for zenity on Linux).
TEST_F(EditorWindowTest, APresetSavedThroughTheDialogLoadsBack) {
  namespace fs = std::filesystem;
  const fs::path folder =
      fs::temp_directory_path() / ("ondex-e2e-" + std::to_string(std::random_device()()));
  fs::create_directories(folder);
  const fs::path preset = folder / "my sound.zel";
#if defined(_WIN32)
  const auto answer = [&] { TestHost::answerNextFileDialog(preset.string().c_str()); };
#else
  const fs::path script = folder / "dialog.sh";
  std::ofstream(script) << "#!/bin/sh\necho \"$ONDEX_TEST_ANSWER\"\n";
  fs::permissions(script, fs::perms::owner_all);
  setenv("ONDEX_FILE_DIALOG", script.c_str(), 1);
  setenv("ONDEX_TEST_ANSWER", preset.c_str(), 1);
  const auto answer = [] {};
#endif
  effect->setParameter(effect, 7, 0.25f);  // HiCut off
  ASSERT_EQ(dispatch(effEditOpen, 0, host->parent()), 1);
  ASSERT_TRUE(idleUntil([&] { return host->childWindows() == 1; }));
  click(*host, kHiCutX, kHiCutY);
  ASSERT_TRUE(idleUntil([&] { return parameter(7) == 0.75f; }));

  answer();
  click(*host, kSavePresetX, kPanelButtonY);
  ASSERT_TRUE(idleUntil([&] { return fs::exists(preset) && fs::file_size(preset) == 101; }));
  click(*host, kHiCutX, kHiCutY);
  ASSERT_TRUE(idleUntil([&] { return parameter(7) == 0.25f; }));
  answer();
  click(*host, kLoadPresetX, kPanelButtonY);
  EXPECT_TRUE(idleUntil([&] { return parameter(7) == 0.75f; }));

  dispatch(effEditClose);
  settle(*host);
#if !defined(_WIN32)
  unsetenv("ONDEX_FILE_DIALOG");
  unsetenv("ONDEX_TEST_ANSWER");
#endif
  std::error_code ignored;
  fs::remove_all(folder, ignored);
}
