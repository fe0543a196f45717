// The plug-in's editor on a headless frame, opened through the dispatcher as a
// host opens it, with a tick clock the test moves and short forms for clicks,
// control values, the display's digits and what reached the host.
#pragma once

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

#include "editor/editor.h"
#include "fakehost.h"
#include "gui/cframe.h"
#include "plugin.h"
#include "plugin/zel.h"

namespace editortest {

class EditorWindowTest : public ::testing::Test {
 protected:
  void SetUp() override {
    liveBefore = CBaseObject::liveObjects();
    AEffGUIEditor::setTickSource([this] { return now; });
    plugin = std::make_unique<Plugin>(nullptr, factory);
    zel = static_cast<Zel*>(plugin->effect()->object);
    editor = dynamic_cast<Editor*>(zel->getEditor());
    ASSERT_NE(editor, nullptr);
  }
  void TearDown() override {
    plugin.reset();
    AEffGUIEditor::setTickSource(nullptr);
    EXPECT_EQ(CBaseObject::liveObjects(), liveBefore);
  }

  // Opens the window headless (no parent window), as effEditOpen does.
  void open() { ASSERT_EQ(plugin->dispatch(effEditOpen), 1); }
  void idle() { plugin->dispatch(effEditIdle); }
  // Moves the clock, then runs one idle pass.
  void idleAt(uint32_t ms) {
    now = ms;
    idle();
  }
  CFrame& frame() { return *editor->getFrame(); }
  CControl& control(int32_t tag) {
    CControl* c = editor->getControl(tag);
    EXPECT_NE(c, nullptr) << tag;
    return *c;
  }
  float value(int32_t tag) { return control(tag).getValue(); }
  // A left click (with modifiers) in the middle of the control, or at a point.
  void click(int32_t tag, int32_t buttons = 0) {
    const CRect& r = control(tag).getViewSize();
    clickAt(r.left + r.getWidth() / 2, r.top + r.getHeight() / 2, buttons);
  }
  void clickAt(CCoord x, CCoord y, int32_t buttons = 0) {
    CPoint where(x, y);
    frame().onMouseDown(where, kLButton | buttons);
    frame().onMouseUp(where, buttons);
  }
  // The four digits as the display shows them, a blank as "_".
  std::string digits() {
    std::string shown;
    for (int32_t tag = 21; tag <= 24; ++tag) {
      const int image = int(std::lround(value(tag) * 11.0f));
      shown += image == 10 ? '_' : char('0' + image);
    }
    return shown;
  }
  // The parameter changes reported to the host as "index=value", and the
  // edit gestures as "b<index>" and "e<index>", since the last call.
  std::vector<std::string> hostLog() {
    std::vector<std::string> log;
    for (const HostRequest& r : host.requests()) {
      char text[48];
      if (r.opcode == audioMasterAutomate) {
        std::snprintf(text, sizeof text, "%d=%g", r.index, double(r.opt));
      } else if (r.opcode == audioMasterBeginEdit || r.opcode == audioMasterEndEdit) {
        std::snprintf(text, sizeof text, "%s%d", r.opcode == audioMasterBeginEdit ? "b" : "e",
                      r.index);
      } else {
        continue;
      }
      log.emplace_back(text);
    }
    host.clear();
    return log;
  }

  FakeHost host;
  EditorFactory factory = &createEditor;
  uint32_t now = 1000;
  int32_t liveBefore = 0;
  std::unique_ptr<Plugin> plugin;
  Zel* zel = nullptr;
  Editor* editor = nullptr;
};

using Log = std::vector<std::string>;

}  // namespace editortest
