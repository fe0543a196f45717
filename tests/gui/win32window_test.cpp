// Frames in real Win32 windows (under Wine): a test host's parent HWND, mouse
// and key messages to the frame's window, its pixels against the headless
// rendering, TrackPopupMenu, and open/close cycles with the class unregistered.
#include <gtest/gtest.h>

#include <memory>

#include "gui/toolkit.h"
#include "guitest.h"
#include "scriptedfileselector.h"
#include "win32testhost.h"
#include "windowscene.h"

using win32test::TestHost;
namespace keys = win32test;

namespace {

class Win32WindowTest : public ::testing::Test {
 protected:
  void SetUp() override {
    liveBefore = CBaseObject::liveObjects();
    host = TestHost::open(kWidth, kHeight);
    ASSERT_NE(host, nullptr);
    frame = new CFrame(CRect(0, 0, kWidth, kHeight), &editor);
    controls = guitest::populate(*frame, &listener, &log, keep);
    ASSERT_TRUE(frame->open(host->parent()));
    ASSERT_TRUE(frame->hasWindow());
    idle();
  }
  void TearDown() override {
    if (frame != nullptr) {
      frame->close();
    }
    if (host) {
      EXPECT_EQ(host->childWindows(), 0);
    }
    EXPECT_EQ(CBaseObject::liveObjects(), liveBefore);
  }
  void idle() {
    host->pump();
    frame->idle();
  }
  bool logged(const std::string& entry) const {
    return std::find(log.begin(), log.end(), entry) != log.end();
  }

  static constexpr int kWidth = 200;
  static constexpr int kHeight = 120;
  int32_t liveBefore = 0;
  std::unique_ptr<TestHost> host;
  guitest::EditRecorder editor;
  guitest::RecordingListener listener;
  std::vector<std::string> log;
  std::vector<std::unique_ptr<guitest::RegisteredBitmap>> keep;
  CFrame* frame = nullptr;
  guitest::Controls controls;
};

}  // namespace

TEST_F(Win32WindowTest, WindowShowsExactlyTheHeadlessImage) {
  controls.knob->setValue(0.5f);
  idle();
  CFrame* headless = new CFrame(CRect(0, 0, kWidth, kHeight), nullptr);
  std::vector<std::unique_ptr<guitest::RegisteredBitmap>> keepHeadless;
  guitest::Controls same = guitest::populate(*headless, nullptr, nullptr, keepHeadless);
  same.knob->setValue(0.5f);
  headless->idle();
  const std::vector<uint32_t> shown = host->grab(kWidth, kHeight);
  int differing = 0;
  for (int y = 0; y < kHeight; ++y) {
    for (int x = 0; x < kWidth; ++x) {
      if (shown[size_t(y) * kWidth + size_t(x)] != (headless->getPixel(x, y) & 0xFFFFFFu)) {
        ++differing;
      }
    }
  }
  EXPECT_EQ(differing, 0);
  EXPECT_EQ(shown[size_t(100) * kWidth + 150], 0x1E3C5Au);
  headless->close();
}

TEST_F(Win32WindowTest, KnobDragWheelDoubleClickAndShift) {
  editor.knobMode = kLinearMode;
  controls.knob->setValue(0.2f);
  host->press(30, 30);
  host->moveTo(30, 10, true);
  host->moveTo(30, -20, true);  // captured: outside the window still drags
  EXPECT_FLOAT_EQ(controls.knob->getValue(), 0.45f);
  host->release(30, -20);
  EXPECT_EQ(editor.edits, (std::vector<std::string>{"b1", "e1"}));
  host->wheel(30, 30, 1);
  EXPECT_FLOAT_EQ(controls.knob->getValue(), 0.55f);
  host->wheel(30, 30, -2);
  EXPECT_FLOAT_EQ(controls.knob->getValue(), 0.35f);
  host->wheel(30, 30, 1, true);
  EXPECT_FLOAT_EQ(controls.knob->getValue(), 0.45f);

  host->moveTo(30, 90);
  EXPECT_TRUE(logged("probe:entered"));
  host->press(30, 90);
  host->release(30, 90);
  host->press(30, 90, false, true);
  EXPECT_TRUE(controls.probe->lastDownButtons.isDoubleClick());
  host->release(30, 90);
  host->press(30, 90, true, false, true);
  EXPECT_EQ(controls.probe->lastDownButtons.getButtonState() & (kRButton | kShift | kLButton),
            kRButton | kShift);
  host->release(30, 90, true);
}

TEST_F(Win32WindowTest, TextFieldEditsInANativeControlAndGivesTheFocusBack) {
  TestHost::focusTopLevel();  // the host's own window has the keys
  host->press(100, 20);
  host->release(100, 20);
  ASSERT_TRUE(controls.text->isEditing());
  EXPECT_EQ(host->focusedClass(), "Edit");
  EXPECT_EQ(host->childWindows(), 2);  // the frame's window and the control in it
  host->type("Q");                     // replaces the whole text, which opened selected
  host->key(keys::kEscape);
  EXPECT_STREQ(controls.text->getText(), "abc");
  EXPECT_TRUE(TestHost::topLevelHasFocus());

  host->press(100, 20);
  host->release(100, 20);
  host->key(keys::kEnd);
  host->type("xY");
  host->key(keys::kLeft);
  host->key(keys::kBack);
  host->key(keys::kEnd);
  host->type("z");
  host->key(keys::kReturn);
  EXPECT_FALSE(controls.text->isEditing());
  EXPECT_STREQ(controls.text->getText(), "abcYz");
  ASSERT_EQ(listener.changes.size(), 1u);
  EXPECT_TRUE(TestHost::topLevelHasFocus());
  idle();
  EXPECT_EQ(host->childWindows(), 1);  // the control is gone again

  host->press(100, 20);  // Escape drops the edit
  host->release(100, 20);
  host->key(keys::kHome);
  host->key(keys::kDelete);
  host->key(keys::kEscape);
  EXPECT_FALSE(controls.text->isEditing());
  EXPECT_STREQ(controls.text->getText(), "abcYz");

  host->press(100, 20);  // a click elsewhere commits
  host->release(100, 20);
  host->key(keys::kEnd);
  host->key(keys::kBack);
  host->press(30, 90);
  host->release(30, 90);
  EXPECT_FALSE(controls.text->isEditing());
  EXPECT_STREQ(controls.text->getText(), "abcY");
  EXPECT_EQ(listener.changes.size(), 2u);
  EXPECT_TRUE(TestHost::topLevelHasFocus());

  // Typing stops at the field's length in UTF-8 bytes; Ctrl+A selects all.
  controls.text->setMaxLength(5);
  host->press(100, 20);
  host->release(100, 20);
  host->key(keys::kEnd);
  host->type("\xE9!");  // é would need two bytes: refused
  host->key(keys::kReturn);
  EXPECT_STREQ(controls.text->getText(), "abcY!");
  host->press(100, 20);
  host->release(100, 20);
  host->key(keys::kEnd);
  host->type("\x01z");
  host->key(keys::kReturn);
  EXPECT_STREQ(controls.text->getText(), "z");

  // A window closed while editing hands the keys back too.
  host->press(100, 20);
  host->release(100, 20);
  EXPECT_EQ(host->focusedClass(), "Edit");
  frame->close();
  frame = nullptr;
  EXPECT_TRUE(TestHost::topLevelHasFocus());
}

TEST_F(Win32WindowTest, MenuPopupChoosesAndCancels) {
  host->answerNextMenu(2);  // the menu opens with nothing lit: "One", then "Two"
  host->press(100, 50);
  host->release(100, 50);
  EXPECT_EQ(controls.menu->getCurrentIndex(), 1);
  ASSERT_EQ(listener.changes.size(), 1u);
  host->answerNextMenu(-1);
  host->press(100, 50);
  host->release(100, 50);
  EXPECT_EQ(controls.menu->getCurrentIndex(), 1);
  EXPECT_EQ(listener.changes.size(), 1u);
}

TEST_F(Win32WindowTest, MenuNearTheScreensCornerOpensAboveItsButtonAndMovesLeft) {
  // The virtual screen is 640 x 480: the menu's button (60, 40, 190, 60) ends
  // 10 pixels above its bottom and 20 pixels from its right edge.
  TestHost::placeTopLevel(640 - 210, 480 - 70);
  host->pump();
  host->answerNextMenu(-1);
  host->press(100, 50);
  host->release(100, 50);
  TestHost::placeTopLevel(40, 30);
  const win32test::ScreenRect menu = TestHost::lastMenu();
  EXPECT_GT(menu.bottom, menu.top);
  EXPECT_LE(menu.bottom, 480 - 70 + 40);  // above the button, not over it
  EXPECT_LE(menu.right, 640);
  EXPECT_GE(menu.top, 0);
}

// At 200 % the window doubles, a drag covers the same range over twice the
// pixels, and a right click on no view offers the zooms.
TEST_F(Win32WindowTest, ZoomedWindowDragsAndOffersItsZooms) {
  editor.knobMode = kLinearMode;
  controls.knob->setValue(0.2f);
  ASSERT_TRUE(frame->setZoom(200));
  idle();
  host->press(60, 60);         // the knob's middle, (30, 30) at 100 %
  host->moveTo(60, 20, true);  // 40 pixels up: 20 at 100 %
  host->release(60, 20);
  EXPECT_FLOAT_EQ(controls.knob->getValue(), 0.3f);
  host->answerNextMenu(2);     // "Zoom 100 %", then "Zoom 150 %"
  host->press(110, 10, true);  // (55, 5) at 100 %: between the knob and the text
  host->release(110, 10, true);
  EXPECT_EQ(editor.chosenZoom, 150);
}

TEST_F(Win32WindowTest, ParentDestroyedBeforeClose) {
  host->destroyParent();
  frame->idle();
  frame->close();
  frame = nullptr;
}

TEST(Win32WindowCycles, TwoHundredOpenAndCloseCyclesLeaveNothing) {
  auto host = TestHost::open(100, 60);
  ASSERT_NE(host, nullptr);
  const int32_t liveBefore = CBaseObject::liveObjects();
  for (int i = 0; i < 200; ++i) {
    auto* frame = new CFrame(CRect(0, 0, 100, 60), nullptr);
    frame->addView(new CTextEdit(CRect(0, 0, 100, 20), nullptr, 0, "cycle"));
    ASSERT_TRUE(frame->open(host->parent()));
    EXPECT_TRUE(TestHost::frameClassRegistered());
    host->pump();
    frame->idle();
    frame->close();
  }
  EXPECT_FALSE(TestHost::frameClassRegistered());  // the last window took its class along
  host->pump();
  EXPECT_EQ(host->childWindows(), 0);
  EXPECT_EQ(CBaseObject::liveObjects(), liveBefore);
}

TEST(Win32FileDialog, SaveDialogAnswersAPathOrIsCancelled) {
  auto host = TestHost::open(100, 60);
  ASSERT_NE(host, nullptr);
  CScriptedFileSelector::uninstall();
  auto* frame = new CFrame(CRect(0, 0, 100, 60), nullptr);
  ASSERT_TRUE(frame->open(host->parent()));
  CNewFileSelector* selector = CNewFileSelector::create(frame, CNewFileSelector::kSelectSaveFile);
  selector->setTitle("Save preset");
  selector->setDefaultExtension(CFileExtension("Ondex preset", "zel"));
  TestHost::answerNextFileDialog("C:\\ondex-dialog-test");
  ASSERT_TRUE(selector->runModal());
  ASSERT_EQ(selector->getNumSelectedFiles(), 1);
  EXPECT_STREQ(selector->getSelectedFile(0), "C:\\ondex-dialog-test.zel");  // extension added
  TestHost::answerNextFileDialog(nullptr);
  EXPECT_FALSE(selector->runModal());
  EXPECT_EQ(selector->getNumSelectedFiles(), 0);
  selector->forget();
  frame->close();
}
