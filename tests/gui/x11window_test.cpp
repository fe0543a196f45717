// Frames in real X11 windows (under Xvfb): a test host's parent window, real
// pointer and key input through XTest, the window's pixels against the
// headless rendering, the option menu's popup, and open/close cycles.
#include <dirent.h>
#include <gtest/gtest.h>
#include <unistd.h>

#include <functional>
#include <memory>
#include <string>

#include "gui/toolkit.h"
#include "guitest.h"
#include "platform/linux/x11keys.h"
#include "windowscene.h"
#include "x11testhost.h"

using x11test::ScreenRect;
using x11test::TestHost;
namespace keys = x11test;

namespace {

int openDescriptors() {
  int count = 0;
  if (DIR* dir = opendir("/proc/self/fd")) {
    while (readdir(dir) != nullptr) {
      ++count;
    }
    closedir(dir);
  }
  return count;
}

class X11WindowTest : public ::testing::Test {
 protected:
  void SetUp() override {
    liveBefore = CBaseObject::liveObjects();
    host = TestHost::open(kWidth, kHeight);
    ASSERT_NE(host, nullptr) << "no X display (run under xvfb-run) or no XTest";
    frame = new CFrame(CRect(0, 0, kWidth, kHeight), &editor);
    controls = guitest::populate(*frame, &listener, &log, keep);
    ASSERT_TRUE(frame->open(host->parent()));
    ASSERT_TRUE(frame->hasWindow());
    ASSERT_TRUE(pumpUntil([&] { return host->childWindows() == 1; }));
    pump();
  }
  void TearDown() override {
    if (frame != nullptr) {
      frame->close();
    }
    if (host) {
      host->sync();
      EXPECT_EQ(host->childWindows(), 0);
    }
    EXPECT_EQ(CBaseObject::liveObjects(), liveBefore);
  }
  // Runs the frame's idle (which handles its X events) until `done`.
  bool pumpUntil(const std::function<bool()>& done) {
    for (int i = 0; i < 500; ++i) {
      frame->idle();
      if (done()) {
        return true;
      }
      usleep(2000);
    }
    return false;
  }
  // Lets every event sent so far arrive and be handled.
  void pump() {
    host->sync();
    for (int i = 0; i < 15; ++i) {
      frame->idle();
      usleep(2000);
    }
  }
  // Opens the option menu at (100, 50) and lets idle passes run until its
  // popup is on screen and holds the pointer and keys: they return meanwhile.
  bool openMenu(ScreenRect& popup) {
    host->click(100, 50);
    if (!pumpUntil([&] { return host->findPopup(popup); })) {
      return false;
    }
    pump();
    return host->findPopup(popup);
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

TEST_F(X11WindowTest, WindowShowsExactlyTheHeadlessImage) {
  controls.knob->setValue(0.5f);
  pump();
  CFrame* headless = new CFrame(CRect(0, 0, kWidth, kHeight), nullptr);
  std::vector<std::unique_ptr<guitest::RegisteredBitmap>> keepHeadless;
  guitest::Controls same = guitest::populate(*headless, nullptr, nullptr, keepHeadless);
  same.knob->setValue(0.5f);
  headless->idle();
  const std::vector<uint32_t> shown = host->grab(0, 0, kWidth, kHeight);
  ASSERT_EQ(shown.size(), size_t(kWidth * kHeight));
  int differing = 0;
  for (int y = 0; y < kHeight; ++y) {
    for (int x = 0; x < kWidth; ++x) {
      if (shown[size_t(y) * kWidth + size_t(x)] != (headless->getPixel(x, y) & 0xFFFFFFu)) {
        ++differing;
      }
    }
  }
  EXPECT_EQ(differing, 0);
  EXPECT_EQ(shown[size_t(100) * kWidth + 150], 0x1E3C5Au);  // the frame's background
  headless->close();
}

TEST_F(X11WindowTest, KnobFollowsADragAndWheelSteps) {
  editor.knobMode = kLinearMode;
  controls.knob->setValue(0.2f);
  host->moveTo(30, 30);
  host->button(1, true);
  host->moveTo(30, 10);
  host->moveTo(30, -20);  // 50 up, past the parent's edge: the drag keeps the pointer
  pump();
  EXPECT_FLOAT_EQ(controls.knob->getValue(), 0.45f);
  host->button(1, false);
  pump();
  EXPECT_EQ(editor.edits, (std::vector<std::string>{"b1", "e1"}));

  host->click(30, 30, 4);  // wheel up
  pump();
  EXPECT_FLOAT_EQ(controls.knob->getValue(), 0.55f);
  host->click(30, 30, 5);
  host->click(30, 30, 5);
  pump();
  EXPECT_FLOAT_EQ(controls.knob->getValue(), 0.35f);
  host->click(30, 30, 7);  // horizontal: right steps forward, left back
  pump();
  EXPECT_FLOAT_EQ(controls.knob->getValue(), 0.45f);
  host->click(30, 30, 6);
  pump();
  EXPECT_FLOAT_EQ(controls.knob->getValue(), 0.35f);
}

TEST_F(X11WindowTest, DoubleClicksModifiersEnteringAndLeaving) {
  host->moveTo(30, 90);
  pump();
  EXPECT_TRUE(logged("probe:entered"));
  host->click(30, 90);
  host->click(31, 91);
  pump();
  EXPECT_TRUE(controls.probe->lastDownButtons.isDoubleClick());
  host->click(31, 91);  // a third press starts over
  pump();
  EXPECT_FALSE(controls.probe->lastDownButtons.isDoubleClick());
  host->click(50, 100);  // too far from the last press
  pump();
  EXPECT_FALSE(controls.probe->lastDownButtons.isDoubleClick());

  host->key(keys::kShiftL, true);
  host->click(30, 90, 3);
  host->key(keys::kShiftL, false);
  pump();
  EXPECT_EQ(controls.probe->lastDownButtons.getButtonState() & (kRButton | kShift | kLButton),
            kRButton | kShift);

  host->moveTo(150, 100);
  pump();
  EXPECT_TRUE(logged("probe:exited"));
  host->moveTo(kWidth + 20, 10);  // out of the frame
  pump();
  CPoint where;
  EXPECT_FALSE(frame->getCurrentMouseLocation(where));
}

TEST_F(X11WindowTest, TextFieldTakesTheKeysAfterAClickAndGivesTheFocusBack) {
  host->focusRoot();  // the host's own window has the keys
  // Not editing: a key over the editor is the host's (Space starts playback).
  host->moveTo(100, 20);
  host->tap(keys::kSpace);
  pump();
  EXPECT_EQ(host->keysAtParent(), 1);
  EXPECT_FALSE(controls.text->isEditing());
  EXPECT_STREQ(controls.text->getText(), "abc");

  host->click(100, 20);
  ASSERT_TRUE(pumpUntil([&] { return controls.text->isEditing(); }));
  EXPECT_FALSE(host->rootHasFocus());
  host->type("Q");  // replaces the whole text, which the click selected
  pump();
  EXPECT_EQ(controls.text->getEditText(), "Q");
  EXPECT_EQ(host->keysAtParent(), 0);  // the field's alone while it edits
  host->tap(keys::kEscape);
  pump();
  EXPECT_TRUE(host->rootHasFocus());
  host->tap(keys::kSpace);
  pump();
  EXPECT_EQ(host->keysAtParent(), 1);

  host->click(100, 20);
  ASSERT_TRUE(pumpUntil([&] { return controls.text->isEditing(); }));
  host->tap(keys::kEnd);
  host->type("xY");
  host->tap(keys::kLeft);
  host->tap(keys::kBackSpace);
  host->tap(keys::kEnd);
  host->type("z");
  pump();
  EXPECT_EQ(controls.text->getEditText(), "abcYz");
  host->tap(keys::kReturn);
  pump();
  EXPECT_FALSE(controls.text->isEditing());
  EXPECT_STREQ(controls.text->getText(), "abcYz");
  EXPECT_TRUE(host->rootHasFocus());
  ASSERT_EQ(listener.changes.size(), 1u);
  EXPECT_EQ(listener.changes[0].tag, 2);

  host->click(100, 20);  // Escape drops the edit
  ASSERT_TRUE(pumpUntil([&] { return controls.text->isEditing(); }));
  host->tap(keys::kHome);
  host->tap(keys::kDelete);
  host->tap(keys::kEscape);
  pump();
  EXPECT_STREQ(controls.text->getText(), "abcYz");

  host->click(100, 20);  // a click elsewhere commits
  ASSERT_TRUE(pumpUntil([&] { return controls.text->isEditing(); }));
  host->tap(keys::kEnd);
  host->tap(keys::kBackSpace);
  host->click(30, 90);
  pump();
  EXPECT_FALSE(controls.text->isEditing());
  EXPECT_STREQ(controls.text->getText(), "abcY");
  EXPECT_TRUE(host->rootHasFocus());

  // Keys the host forwards (effEditKeyDown) edit the same way.
  host->click(100, 20);
  ASSERT_TRUE(pumpUntil([&] { return controls.text->isEditing(); }));
  VstKeyCode k = guitest::key('!');
  EXPECT_GT(frame->onKeyDown(k), 0);
  EXPECT_EQ(controls.text->getEditText(), "!");

  // A window closed while editing hands the keys back too.
  frame->close();
  frame = nullptr;
  host->sync();
  EXPECT_TRUE(host->rootHasFocus());
}

// The popup holds no loop of its own: idle passes return while it is open,
// and the choice reaches the listener from the pass that handles it.
TEST_F(X11WindowTest, MenuPopupChoosesClosesAndCancelsWhileIdleGoesOn) {
  ScreenRect popup;
  ASSERT_TRUE(openMenu(popup));
  EXPECT_EQ(popup.x, 60);  // below the control, at least as wide
  EXPECT_EQ(popup.y, 60);
  EXPECT_GE(popup.width, 130);
  EXPECT_EQ(popup.height, 4 * MenuPopupLayout::kRowHeight);
  // The current entry ("One") is lit and marked in white; the next is not.
  const std::vector<uint32_t> shown =
      host->grabScreen({popup.x, popup.y, popup.width, popup.height});
  ASSERT_EQ(shown.size(), size_t(popup.width) * size_t(popup.height));
  const auto at = [&](int x, int y) { return shown[size_t(y) * size_t(popup.width) + size_t(x)]; };
  EXPECT_EQ(at(8, 9), 0xFFFFFFu);
  EXPECT_EQ(at(2, 9), 0x3465A4u);
  EXPECT_EQ(at(8, MenuPopupLayout::kRowHeight + 9), 0xECECECu);
  EXPECT_TRUE(listener.changes.empty());
  host->click(popup.x + 20, popup.y + MenuPopupLayout::kRowHeight + 5);  // the second entry
  pump();
  EXPECT_FALSE(host->findPopup(popup));
  EXPECT_EQ(controls.menu->getCurrentIndex(), 1);
  ASSERT_EQ(listener.changes.size(), 1u);
  EXPECT_EQ(listener.changes[0].tag, 3);

  // A click on the separator chooses nothing; Escape then closes.
  ASSERT_TRUE(openMenu(popup));
  host->click(popup.x + 20, popup.y + 2 * MenuPopupLayout::kRowHeight + 5);
  pump();
  EXPECT_TRUE(host->findPopup(popup));
  host->tap(keys::kEscape);
  pump();
  EXPECT_FALSE(host->findPopup(popup));
  EXPECT_EQ(controls.menu->getCurrentIndex(), 1);

  // A click outside closes it; arrows and Return choose.
  ASSERT_TRUE(openMenu(popup));
  host->click(5, 5);
  pump();
  EXPECT_FALSE(host->findPopup(popup));
  EXPECT_EQ(listener.changes.size(), 1u);
  ASSERT_TRUE(openMenu(popup));
  host->tap(keys::kDown);  // past the separator
  host->tap(keys::kReturn);
  pump();
  EXPECT_EQ(controls.menu->getCurrentIndex(), 3);
  EXPECT_EQ(listener.changes.size(), 2u);

  // A window closed with its popup open takes the popup along, unanswered.
  ASSERT_TRUE(openMenu(popup));
  frame->close();
  frame = nullptr;
  host->sync();
  EXPECT_FALSE(host->findPopup(popup));
  EXPECT_EQ(listener.changes.size(), 2u);
}

TEST_F(X11WindowTest, MenuPopupNearTheScreensCornerOpensAboveAndMovesLeft) {
  // The Xvfb screen is 640 x 480: the menu's button ends 20 pixels above its
  // bottom edge, and a popup below it would cross the right edge too.
  host->placeAt(640 - 150, 480 - 20 - 60);
  pump();
  ScreenRect popup;
  ASSERT_TRUE(openMenu(popup));
  host->tap(keys::kEscape);
  pump();
  EXPECT_EQ(popup.y + popup.height, 40);  // its bottom at the button's top
  EXPECT_EQ(popup.height, 4 * MenuPopupLayout::kRowHeight);
  EXPECT_EQ(490 + popup.x + popup.width, 640);  // its right edge at the screen's
}

// At 200 % the window doubles, a drag covers the same range over twice the
// pixels, and a right click on no view opens the zoom menu at the pointer.
TEST_F(X11WindowTest, ZoomedWindowDragsAndOffersItsZoomsAtThePointer) {
  editor.knobMode = kLinearMode;
  controls.knob->setValue(0.2f);
  ASSERT_TRUE(frame->setZoom(200));
  pump();
  host->moveTo(60, 60);  // the knob's middle, (30, 30) at 100 %
  host->button(1, true);
  host->moveTo(60, 20);  // 40 pixels up: 20 at 100 %
  pump();
  host->button(1, false);
  pump();
  EXPECT_FLOAT_EQ(controls.knob->getValue(), 0.3f);

  ScreenRect popup;
  host->click(110, 10, 3);  // (55, 5) at 100 %: between the knob and the text
  ASSERT_TRUE(pumpUntil([&] { return host->findPopup(popup); }));
  pump();
  const std::vector<uint32_t> shown =
      host->grabScreen({popup.x, popup.y, popup.width, popup.height});
  host->click(popup.x + 30, popup.y + 2 * MenuPopupLayout::kRowHeight + 10);
  ASSERT_TRUE(pumpUntil([&] { return editor.chosenZoom != 0; }));
  EXPECT_EQ(editor.chosenZoom, 150);
  EXPECT_EQ(popup.x, 110);
  EXPECT_EQ(popup.y, 10);
  EXPECT_EQ(popup.height, 3 * 2 * MenuPopupLayout::kRowHeight);
  // The current zoom (the third entry, rows of 36 pixels) is lit, the others not.
  ASSERT_FALSE(shown.empty());
  EXPECT_EQ(shown[size_t(90) * size_t(popup.width) + 4], 0x3465A4u);
  EXPECT_EQ(shown[size_t(54) * size_t(popup.width) + 4], 0xECECECu);
}

TEST_F(X11WindowTest, ParentDestroyedBeforeCloseIsNoError) {
  host->destroyParent();
  pump();
  frame->close();  // destroys nothing that is left, and the process lives on
  frame = nullptr;
}

TEST(X11WindowCycles, TwoHundredOpenAndCloseCyclesLeaveNothing) {
  auto host = TestHost::open(100, 60);
  ASSERT_NE(host, nullptr);
  const int32_t liveBefore = CBaseObject::liveObjects();
  const int descriptorsBefore = openDescriptors();
  for (int i = 0; i < 200; ++i) {
    auto* frame = new CFrame(CRect(0, 0, 100, 60), nullptr);
    frame->addView(new CTextEdit(CRect(0, 0, 100, 20), nullptr, 0, "cycle"));
    ASSERT_TRUE(frame->open(host->parent()));
    frame->idle();
    frame->close();
  }
  host->sync();
  EXPECT_EQ(host->childWindows(), 0);
  EXPECT_EQ(openDescriptors(), descriptorsBefore);
  EXPECT_EQ(CBaseObject::liveObjects(), liveBefore);
}

TEST(X11WindowCycles, NoWindowForAParentThatIsNoWindow) {
  auto host = TestHost::open(10, 10);
  ASSERT_NE(host, nullptr);
  auto* frame = new CFrame(CRect(0, 0, 10, 10), nullptr);
  EXPECT_FALSE(frame->open(reinterpret_cast<void*>(uintptr_t(0x7FFFFFF))));
  EXPECT_FALSE(frame->hasWindow());
  frame->close();
}

TEST(X11Keys, KeySymsBecomeVirtualKeysOrCharacters) {
  using platform::x11::keyCodeFor;
  const VstKeyCode ret = keyCodeFor(0xFF0D, 0);  // Return
  EXPECT_EQ(ret.virt, VKEY_RETURN);
  EXPECT_EQ(ret.character, 0);
  EXPECT_EQ(keyCodeFor(0xFF8D, 0).virt, VKEY_ENTER);   // keypad Enter
  EXPECT_EQ(keyCodeFor(0xFF9F, 0).virt, VKEY_DELETE);  // keypad Delete
  const VstKeyCode a = keyCodeFor('A', 1 /* ShiftMask */);
  EXPECT_EQ(a.virt, 0);
  EXPECT_EQ(a.character, 'A');
  EXPECT_EQ(a.modifier, MODIFIER_SHIFT);
  const VstKeyCode space = keyCodeFor(' ', 4 | 8 /* ControlMask, Mod1Mask */);
  EXPECT_EQ(space.virt, VKEY_SPACE);
  EXPECT_EQ(space.character, ' ');
  EXPECT_EQ(space.modifier, MODIFIER_CONTROL | MODIFIER_ALTERNATE);
  EXPECT_EQ(keyCodeFor(0xE9, 0).character, 0xE9);          // é, Latin-1
  EXPECT_EQ(keyCodeFor(0x010020AC, 0).character, 0x20AC);  // €, Unicode keysym
  EXPECT_EQ(keyCodeFor(0xFFE1, 0).character, 0);           // Shift alone: nothing
  EXPECT_EQ(keyCodeFor(0xFFE1, 0).virt, 0);
}

TEST(X11Keys, PointerStateBecomesButtonsAndModifiers) {
  using platform::x11::buttonStateFor;
  EXPECT_EQ(buttonStateFor(1u << 8), kLButton);                // Button1Mask
  EXPECT_EQ(buttonStateFor(1u << 10 | 1), kRButton | kShift);  // Button3Mask, ShiftMask
  EXPECT_EQ(buttonStateFor(1u << 9 | 4 | 8), kMButton | kControl | kAlt);
}
