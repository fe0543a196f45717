// The preset panel's own control classes, by synthetic mouse events on a
// headless frame: what each press reports and which image each state shows.
#include <gtest/gtest.h>

#include <memory>

#include "gui/toolkit.h"
#include "guitest.h"
#include "presets/cpskickbutton.h"
#include "presets/cpsonoffbutton.h"
#include "presets/cpsrockerswitch.h"
#include "presets/csaveloadbutton.h"

using guitest::down;
using guitest::moved;
using guitest::up;

namespace {

uint32_t grey(int k) {
  return 0xFF000000u | uint32_t(k * 40) << 16 | uint32_t(k * 40) << 8 | uint32_t(k * 40);
}

class PanelControls : public ::testing::Test {
 protected:
  void SetUp() override { frame = new CFrame(CRect(0, 0, 200, 100), &editor); }
  void TearDown() override { frame->close(); }
  template <class T>
  T* add(T* control) {
    frame->addView(control);
    if (CBitmap* bitmap = control->getBackground()) {
      bitmap->forget();  // the control keeps its own reference
    }
    return control;
  }
  CBitmap* images(int w, int h, int count) {
    return guitest::stackedBitmap(8100 + int32_t(keep.size()), w, h, count, grey, keep);
  }
  // The image shown at (x, y).
  int shown(int x, int y) {
    frame->idle();
    return int((frame->getPixel(x, y) & 0xFF) / 40);
  }
  std::string reports() {
    std::string text;
    for (const auto& change : listener.changes) {
      text += std::to_string(change.tag) + "=" + std::to_string(change.value).substr(0, 3) + " ";
    }
    listener.changes.clear();
    return text;
  }

  std::vector<std::unique_ptr<guitest::RegisteredBitmap>> keep;
  guitest::EditRecorder editor;
  guitest::RecordingListener listener;
  CFrame* frame = nullptr;
};

}  // namespace

TEST_F(PanelControls, KickButtonsActAtThePressAndDefaultsOnlyAtADoubleClick) {
  auto* store = add(new CPSKickButton(CRect(0, 0, 20, 10), &listener, 48, 10, images(20, 10, 3)));
  auto* byDefault =
      add(new CPSKickButton(CRect(30, 0, 50, 10), &listener, 47, 10, images(20, 10, 3), true));
  EXPECT_EQ(shown(5, 5), 0);
  moved(*frame, 5, 5, 0);
  EXPECT_EQ(shown(5, 5), 1);  // hovered
  down(*frame, 5, 5);
  EXPECT_EQ(reports(), "48=1.0 ");
  EXPECT_EQ(shown(5, 5), 2);  // pressed
  moved(*frame, 100, 50);     // dragged off: still the same press
  EXPECT_EQ(shown(5, 5), 2);
  up(*frame, 100, 50);
  EXPECT_EQ(store->getValue(), 0.0f);
  EXPECT_EQ(shown(5, 5), 0);
  EXPECT_EQ(reports(), "");  // the release reports nothing
  down(*frame, 5, 5, kRButton);
  EXPECT_EQ(reports(), "");

  // Default buttons: a single click does nothing, a double-click stores, and
  // with the control modifier clears.
  down(*frame, 35, 5);
  up(*frame, 35, 5);
  EXPECT_EQ(reports(), "");
  down(*frame, 35, 5, kLButton | kDoubleClick);
  EXPECT_TRUE(byDefault->isPressed());
  up(*frame, 35, 5);
  down(*frame, 35, 5, kLButton | kDoubleClick | kControl);
  up(*frame, 35, 5);
  EXPECT_EQ(reports(), "47=1.0 47=0.5 ");
  EXPECT_TRUE(editor.edits.empty());  // no parameter gesture reaches the host
}

TEST_F(PanelControls, SaveLoadButtonsTellTheRightClickApart) {
  int duringAction = -1;
  struct : guitest::RecordingListener {
    std::function<void()> action;
    void valueChanged(CControl* c) override {
      RecordingListener::valueChanged(c);
      action();
    }
  } dialog;
  dialog.action = [&] { duringAction = shown(5, 5); };
  auto* load = add(new CSaveLoadButton(CRect(0, 0, 20, 10), &dialog, 37, 10, images(20, 10, 3)));
  moved(*frame, 5, 5, 0);
  down(*frame, 5, 5);
  EXPECT_EQ(duringAction, 2);  // pressed while its dialog is up
  EXPECT_EQ(load->getValue(), 0.0f);
  down(*frame, 5, 5, kRButton);
  down(*frame, 5, 5, kRButton | kShift);
  down(*frame, 5, 5, kMButton);
  ASSERT_EQ(dialog.changes.size(), 3u);
  EXPECT_EQ(dialog.changes[0].value, 1.0f);
  EXPECT_EQ(dialog.changes[1].value, 0.5f);  // a plain right click: the other byte order
  EXPECT_EQ(dialog.changes[2].value, 1.0f);
  EXPECT_EQ(shown(5, 5), 1);  // hovered
}

TEST_F(PanelControls, OnOffButtonsToggleWithALeftPress) {
  auto* learn = add(new CPSOnOffButton(CRect(0, 0, 20, 10), &listener, 40, images(20, 10, 3)));
  EXPECT_EQ(shown(5, 5), 0);
  moved(*frame, 5, 5, 0);
  EXPECT_EQ(shown(5, 5), 1);
  down(*frame, 5, 5);
  EXPECT_EQ(shown(5, 5), 2);  // on, hovered or not
  down(*frame, 5, 5, kRButton);
  EXPECT_EQ(learn->getValue(), 1.0f);
  down(*frame, 5, 5);
  EXPECT_EQ(reports(), "40=1.0 40=0.0 ");
}

TEST_F(PanelControls, RockerSwitchShowsTheSideHoveredAndPressed) {
  add(new CPSRockerSwitch(CRect(0, 0, 30, 13), &listener, 34, 13, images(30, 13, 5)));
  EXPECT_EQ(shown(5, 5), 0);
  moved(*frame, 5, 5, 0);
  EXPECT_EQ(shown(5, 5), 1);
  moved(*frame, 25, 5, 0);
  EXPECT_EQ(shown(5, 5), 2);
  down(*frame, 25, 5);
  EXPECT_EQ(shown(5, 5), 4);  // the right half held: the fifth image
  moved(*frame, 5, 5);        // moving while held changes nothing
  EXPECT_EQ(shown(5, 5), 4);
  up(*frame, 5, 5);
  down(*frame, 5, 5);
  EXPECT_EQ(shown(5, 5), 3);
  up(*frame, 5, 5);
  EXPECT_EQ(reports(), "34=1.0 34=-1. ");  // releases are not reported
  moved(*frame, 100, 50, 0);
  EXPECT_EQ(shown(5, 5), 0);
}
