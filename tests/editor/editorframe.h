// A headless frame for the editor's controls (the toolkit tests' frame) with a
// listener that logs the order of edits and reports as "b<tag>",
// "<tag>=<value>" and "e<tag>".
#pragma once

#include <cstdio>
#include <string>
#include <utility>
#include <vector>

#include "gui/toolkit.h"
#include "guitest.h"

namespace editortest {

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

class EditorFrameTest : public guitest::FrameTest {
 protected:
  using FrameTest::FrameTest;
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

  LogListener listener;
};

using Log = std::vector<std::string>;

}  // namespace editortest
