// A headless frame for the editor's controls: grey test bitmaps whose level
// tells the image shown, and a listener that logs the order of edits and
// reports as "b<tag>", "<tag>=<value>" and "e<tag>".
#pragma once

#include <gtest/gtest.h>

#include <cstdio>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "gui/toolkit.h"
#include "guitest.h"

namespace editortest {

inline uint32_t grey(int k) {
  return 0xFF000000u | uint32_t(k * 40) << 16 | uint32_t(k * 40) << 8 | uint32_t(k * 40);
}

struct LogListener : CControlListener {
  std::vector<std::string> log;
  void valueChanged(CControl* control) override {
    char text[32];
    std::snprintf(text, sizeof text, "%d=%g", control->getTag(), double(control->getValue()));
    log.emplace_back(text);
  }
  void controlBeginEdit(CControl* control) override {
    log.push_back(std::to_string(control->getTag()).insert(0, 1, 'b'));
  }
  void controlEndEdit(CControl* control) override {
    log.push_back(std::to_string(control->getTag()).insert(0, 1, 'e'));
  }
  // The log so far, emptied.
  std::vector<std::string> take() { return std::exchange(log, {}); }
};

class EditorFrameTest : public ::testing::Test {
 protected:
  explicit EditorFrameTest(CRect size = CRect(0, 0, 200, 100)) : frameSize(size) {}
  void SetUp() override {
    liveBefore = CBaseObject::liveObjects();
    frame = new CFrame(frameSize, &editor);
  }
  void TearDown() override {
    frame->close();
    EXPECT_EQ(CBaseObject::liveObjects(), liveBefore);
  }
  // A bitmap of `count` stacked images of w × h, image k in grey(k).
  CBitmap* images(int w, int h, int count) {
    return guitest::stackedBitmap(8000 + int32_t(keep.size()), w, h, count, grey, keep);
  }
  // Adds a control that takes over the bitmap's reference.
  template <class T>
  T* add(T* control) {
    frame->addView(control);
    if (CBitmap* bitmap = control->getBackground()) {
      bitmap->forget();
    }
    return control;
  }
  // The frame's background in grey(level), standing for the window's bitmap.
  void setBackground(int level) {
    const auto v = uint8_t(level * 40);
    frame->setBackgroundColor(CColor{v, v, v, 255});
    frame->setDirty(true);
  }
  // The image shown at (x, y) after an idle pass: the grey level's index.
  int shown(int x, int y) {
    frame->idle();
    return int((frame->getPixel(x, y) & 0xFF) / 40);
  }

  CRect frameSize;
  int32_t liveBefore = 0;
  std::vector<std::unique_ptr<guitest::RegisteredBitmap>> keep;
  guitest::EditRecorder editor;
  LogListener listener;
  CFrame* frame = nullptr;
};

using Log = std::vector<std::string>;

}  // namespace editortest
