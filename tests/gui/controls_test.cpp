// The other controls, grouped per class: CMovieBitmap, CKickButton,
// COnOffButton, CHorizontalSwitch, CRockerSwitch, CParamDisplay, CTextEdit,
// COptionMenu and CSplashScreen.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <memory>
#include <string>
#include <tuple>

#include "gui/toolkit.h"
#include "guitest.h"

using guitest::down;
using guitest::moved;
using guitest::up;

namespace {

class ControlTest : public guitest::FrameTest {
 protected:
  template <class T>
  T* add(T* control) {
    frame->addView(control);
    return control;
  }
  guitest::RecordingListener listener;
};

}  // namespace

// ---------------------------------------------------------------- CMovieBitmap

TEST_F(ControlTest, MovieBitmapShowsImageOfRoundedValue) {
  CBitmap* bitmap = images(10, 10, 5);
  auto* movie = add(new CMovieBitmap(CRect(0, 0, 10, 10), nullptr, 21, 5, 10, bitmap));
  bitmap->forget();
  // int(v·(n − 1) + 0.5)
  for (const auto& [v, image] :
       {std::pair{0.0f, 0}, {0.12f, 0}, {0.13f, 1}, {0.5f, 2}, {0.87f, 3}, {0.88f, 4}, {1.0f, 4}}) {
    movie->setValue(v);
    EXPECT_EQ(shown(5, 5), image) << v;
  }
  EXPECT_EQ(down(*frame, 5, 5), kMouseEventNotHandled);  // no mouse handling
  EXPECT_TRUE(movie->isTypeOf("CMovieBitmap"));
}

// ---------------------------------------------------------------- CKickButton

TEST_F(ControlTest, KickButtonIsPressedWhileHeldInsideAndReportsAtRelease) {
  CBitmap* bitmap = images(20, 10, 2);
  auto* kick = add(new CKickButton(CRect(10, 10, 30, 20), &listener, 19, 10, bitmap));
  bitmap->forget();
  EXPECT_EQ(shown(15, 15), 0);
  EXPECT_EQ(down(*frame, 15, 15), kMouseEventHandled);
  EXPECT_FLOAT_EQ(kick->getValue(), 1.0f);
  EXPECT_EQ(shown(15, 15), 1);
  EXPECT_TRUE(listener.changes.empty());
  moved(*frame, 50, 50);  // outside: released image, no report
  EXPECT_FLOAT_EQ(kick->getValue(), 0.0f);
  EXPECT_EQ(shown(15, 15), 0);
  moved(*frame, 12, 12);
  EXPECT_EQ(shown(15, 15), 1);
  up(*frame, 12, 12);
  EXPECT_FLOAT_EQ(kick->getValue(), 0.0f);
  ASSERT_EQ(listener.changes.size(), 2u);
  EXPECT_FLOAT_EQ(listener.changes[0].value, 1.0f);
  EXPECT_FLOAT_EQ(listener.changes[1].value, 0.0f);
  EXPECT_EQ(editor.edits, (std::vector<std::string>{"b19", "e19"}));
  // Released outside: only the return to 0 is reported.
  listener.changes.clear();
  down(*frame, 15, 15);
  moved(*frame, 80, 80);
  up(*frame, 80, 80);
  ASSERT_EQ(listener.changes.size(), 1u);
  EXPECT_FLOAT_EQ(listener.changes[0].value, 0.0f);
  EXPECT_EQ(down(*frame, 15, 15, kRButton), kMouseEventNotHandled);
}

// ---------------------------------------------------------------- COnOffButton

TEST_F(ControlTest, OnOffButtonTogglesAtEachPress) {
  CBitmap* bitmap = images(20, 10, 2);
  auto* button = add(new COnOffButton(CRect(0, 0, 20, 10), &listener, 7, bitmap));
  bitmap->forget();
  EXPECT_EQ(shown(5, 5), 0);
  EXPECT_EQ(down(*frame, 5, 5), kMouseDownEventHandledButDontNeedMovedOrUpEvents);
  EXPECT_FLOAT_EQ(button->getValue(), 1.0f);
  EXPECT_EQ(shown(5, 5), 1);
  down(*frame, 5, 5);
  EXPECT_FLOAT_EQ(button->getValue(), 0.0f);
  EXPECT_EQ(shown(5, 5), 0);
  ASSERT_EQ(listener.changes.size(), 2u);
  EXPECT_EQ(editor.edits, (std::vector<std::string>{"b7", "e7", "b7", "e7"}));
  button->setValue(0.6f);  // not the maximum: off image
  EXPECT_EQ(shown(5, 5), 0);
  EXPECT_EQ(down(*frame, 5, 5, kRButton), kMouseEventNotHandled);
}

// ---------------------------------------------------------------- CHorizontalSwitch

TEST_F(ControlTest, HorizontalSwitchSelectsThePositionUnderThePointer) {
  CBitmap* bitmap = images(30, 10, 3);  // 3 images, position width 10
  auto* sw = add(new CHorizontalSwitch(CRect(0, 0, 30, 10), &listener, 15, 3, 10, 3, bitmap));
  bitmap->forget();
  EXPECT_EQ(down(*frame, 5, 5), kMouseEventHandled);
  EXPECT_FLOAT_EQ(sw->getValue(), 0.0f);
  moved(*frame, 15, 5);
  EXPECT_FLOAT_EQ(sw->getValue(), 0.5f);
  EXPECT_EQ(shown(15, 5), 1);
  moved(*frame, 29, 5);
  EXPECT_FLOAT_EQ(sw->getValue(), 1.0f);
  moved(*frame, 90, 5);  // beyond the last position: limited
  EXPECT_FLOAT_EQ(sw->getValue(), 1.0f);
  up(*frame, 90, 5);
  ASSERT_EQ(listener.changes.size(), 2u);
  EXPECT_EQ(editor.edits, (std::vector<std::string>{"b15", "e15"}));
}

TEST_F(ControlTest, HorizontalSwitchWithTwoPositionsAndControlClickDefault) {
  CBitmap* bitmap = images(15, 10, 2);
  auto* sw = add(new CHorizontalSwitch(CRect(0, 0, 15, 10), &listener, 15, 2, 10, 2, bitmap));
  bitmap->forget();
  down(*frame, 7, 5);
  EXPECT_FLOAT_EQ(sw->getValue(), 0.0f);
  up(*frame, 7, 5);
  down(*frame, 8, 5);
  EXPECT_FLOAT_EQ(sw->getValue(), 1.0f);
  up(*frame, 8, 5);
  EXPECT_EQ(down(*frame, 2, 5, kLButton | kControl),
            kMouseDownEventHandledButDontNeedMovedOrUpEvents);
  EXPECT_FLOAT_EQ(sw->getValue(), 0.5f);  // the toolkit's default value
  EXPECT_EQ(shown(5, 5), 1);              // which shows the right-hand image
  EXPECT_FLOAT_EQ(listener.changes.back().value, 0.5f);
}

// ---------------------------------------------------------------- CRockerSwitch

TEST_F(ControlTest, RockerSwitchGivesMinusOneOrPlusOneWhileHeldAndZeroAtRelease) {
  CBitmap* bitmap = images(30, 10, 3);
  auto* rocker = add(new CRockerSwitch(CRect(0, 0, 30, 10), &listener, 34, 10, bitmap));
  bitmap->forget();
  EXPECT_FLOAT_EQ(rocker->getMin(), -1.0f);
  EXPECT_FLOAT_EQ(rocker->getValue(), 0.0f);
  EXPECT_EQ(shown(5, 5), 1);
  down(*frame, 5, 5);
  EXPECT_FLOAT_EQ(rocker->getValue(), -1.0f);
  EXPECT_EQ(shown(5, 5), 0);
  moved(*frame, 25, 5);
  EXPECT_FLOAT_EQ(rocker->getValue(), 1.0f);
  EXPECT_EQ(shown(5, 5), 2);
  up(*frame, 25, 5);
  EXPECT_FLOAT_EQ(rocker->getValue(), 0.0f);
  ASSERT_EQ(listener.changes.size(), 3u);
  EXPECT_FLOAT_EQ(listener.changes[0].value, -1.0f);
  EXPECT_FLOAT_EQ(listener.changes[1].value, 1.0f);
  EXPECT_FLOAT_EQ(listener.changes[2].value, 0.0f);
  EXPECT_EQ(editor.edits, (std::vector<std::string>{"b34", "e34"}));
  EXPECT_EQ(down(*frame, 5, 5, kRButton), kMouseEventNotHandled);
}

// ---------------------------------------------------------------- CParamDisplay

namespace {
bool controllerName(float value, char text[256], void* user) {
  std::snprintf(text, 256, "%s %d", static_cast<const char*>(user), int(std::lround(value * 10)));
  return true;
}
}  // namespace

TEST_F(ControlTest, ParamDisplayTextFromItsProcedure) {
  auto* display = add(new CParamDisplay(CRect(0, 0, 80, 12)));
  display->setValue(0.25f);
  EXPECT_EQ(display->getDisplayText(), "0.250");
  static char prefix[] = "control";
  display->setValueToStringProc(controllerName, prefix);
  display->setValue(0.7f);
  EXPECT_EQ(display->getDisplayText(), "control 7");
  EXPECT_EQ(display->getHoriAlign(), kCenterText);
  EXPECT_TRUE(display->isTypeOf("CParamDisplay"));
}

TEST_F(ControlTest, ParamDisplayTransparentOverItsBackgroundOffset) {
  // A frame background whose column x has grey level x; the display shows the
  // part under it (offset = its own top-left corner) and text over it.
  keep.push_back(std::make_unique<guitest::RegisteredBitmap>(
      8100, guitest::makeBmp(200, 100, 24, [](int x, int) {
        return 0xFF000000u | uint32_t(x) << 16 | uint32_t(x) << 8 | uint32_t(x);
      })));
  auto* back = new CBitmap(8100);
  frame->setBackground(back);
  auto* display = add(new CParamDisplay(CRect(100, 40, 160, 52), back));
  back->forget();
  display->setBackOffset(CPoint(100, 40));
  display->setStyle(kNoFrame);
  display->setFont(kNormalFontVerySmall);
  display->setFontColor(CColor{36, 36, 32, 255});
  static char empty[] = "";
  display->setValueToStringProc(
      [](float, char text[256], void*) {
        text[0] = 0;
        return true;
      },
      empty);
  frame->idle();
  for (int x = 100; x < 160; x += 7) {
    EXPECT_EQ(frame->getPixel(x, 45) & 0xFF, uint32_t(x)) << x;  // looks transparent
  }
  display->setValueToStringProc(controllerName, empty);
  display->setValue(1.0f);
  frame->idle();
  int inked = 0;
  for (int y = 40; y < 52; ++y) {
    for (int x = 100; x < 160; ++x) {
      inked += (frame->getPixel(x, y) & 0xFF) != uint32_t(x) ? 1 : 0;
    }
  }
  EXPECT_GT(inked, 5);
  EXPECT_EQ(frame->getPixel(99, 45) & 0xFF, 99u);
}

TEST_F(ControlTest, ParamDisplayNoDrawStyleDrawsNothing) {
  auto* display = add(new CParamDisplay(CRect(0, 0, 50, 20)));
  display->setBackColor(kRedCColor);
  frame->idle();
  EXPECT_EQ(frame->getPixel(2, 2), 0xFFFF0000u);
  display->setStyle(kNoDrawStyle);
  display->invalid();
  frame->idle();
  EXPECT_EQ(frame->getPixel(2, 2), 0xFF000000u);  // the frame's own background
}

// ---------------------------------------------------------------- CTextEdit

TEST_F(ControlTest, TextEditTypedThroughKeyEventsCommitsWithReturn) {
  auto* edit = add(new CTextEdit(CRect(10, 10, 110, 23), &listener, 33, "default"));
  EXPECT_STREQ(edit->getText(), "default");
  VstKeyCode k = guitest::key('a');
  EXPECT_EQ(frame->onKeyDown(k), -1);  // not editing yet
  EXPECT_EQ(down(*frame, 20, 15), kMouseDownEventHandledButDontNeedMovedOrUpEvents);
  EXPECT_TRUE(edit->isEditing());
  EXPECT_EQ(frame->getFocusView(), edit);
  for (int i = 0; i < 7; ++i) {
    VstKeyCode back = guitest::key(0, VKEY_BACK);
    EXPECT_EQ(frame->onKeyDown(back), 1);
  }
  for (const char c : std::string("lezlie")) {
    VstKeyCode typed = guitest::key(c);
    EXPECT_EQ(frame->onKeyDown(typed), 1);
  }
  EXPECT_EQ(edit->getEditText(), "lezlie");
  EXPECT_STREQ(edit->getText(), "default");  // not committed yet
  EXPECT_TRUE(listener.changes.empty());
  VstKeyCode enter = guitest::key(0, VKEY_RETURN);
  EXPECT_EQ(frame->onKeyDown(enter), 1);
  EXPECT_FALSE(edit->isEditing());
  EXPECT_EQ(frame->getFocusView(), nullptr);
  EXPECT_STREQ(edit->getText(), "lezlie");
  ASSERT_EQ(listener.changes.size(), 1u);
  EXPECT_EQ(listener.changes[0].tag, 33);
  EXPECT_EQ(editor.edits, (std::vector<std::string>{"b33", "e33"}));
}

TEST_F(ControlTest, TextEditCaretKeysAndEscape) {
  auto* edit = add(new CTextEdit(CRect(10, 10, 110, 23), &listener, 33, "abc"));
  down(*frame, 20, 15);
  auto press = [&](int32_t c, unsigned char v = 0) {
    VstKeyCode code = guitest::key(c, v);
    return frame->onKeyDown(code);
  };
  press(0, VKEY_HOME);
  press('X');
  EXPECT_EQ(edit->getEditText(), "Xabc");
  press(0, VKEY_RIGHT);
  press(0, VKEY_DELETE);
  EXPECT_EQ(edit->getEditText(), "Xac");
  press(0, VKEY_END);
  press(0, VKEY_LEFT);
  press(0, VKEY_SPACE);
  EXPECT_EQ(edit->getEditText(), "Xa c");
  press(0xE9);  // é, two bytes of UTF-8
  EXPECT_EQ(edit->getEditText(),
            "Xa \xC3\xA9"
            "c");
  press(0, VKEY_BACK);
  EXPECT_EQ(edit->getEditText(), "Xa c");
  EXPECT_EQ(press(0, 40), -1);  // a function key: not used
  press(0, VKEY_ESCAPE);
  EXPECT_FALSE(edit->isEditing());
  EXPECT_STREQ(edit->getText(), "abc");
  EXPECT_TRUE(listener.changes.empty());
}

TEST_F(ControlTest, TextEditCommitsWhenItLosesTheFocus) {
  auto* edit = add(new CTextEdit(CRect(10, 10, 110, 23), &listener, 33, "abc"));
  down(*frame, 20, 15);
  VstKeyCode end = guitest::key(0, VKEY_END);
  frame->onKeyDown(end);
  VstKeyCode typed = guitest::key('d');
  frame->onKeyDown(typed);
  down(*frame, 150, 80);  // a click elsewhere
  EXPECT_FALSE(edit->isEditing());
  EXPECT_STREQ(edit->getText(), "abcd");
  EXPECT_EQ(listener.changes.size(), 1u);
}

TEST_F(ControlTest, TextEditDrawsItsTextAndCaret) {
  auto* edit = add(new CTextEdit(CRect(10, 10, 110, 23), &listener, 33, "name"));
  edit->setBackColor(CColor{189, 207, 218, 255});
  edit->setFontColor(CColor{36, 36, 32, 255});
  edit->setFont(kNormalFontVerySmall);
  frame->idle();
  EXPECT_EQ(frame->getPixel(11, 11), 0xFFBDCFDAu);
  int dark = 0;
  for (int y = 10; y < 23; ++y) {
    for (int x = 10; x < 110; ++x) {
      dark += (frame->getPixel(x, y) & 0xFF) < 120 ? 1 : 0;
    }
  }
  EXPECT_GT(dark, 5);
}

TEST_F(ControlTest, TextEditSelectsPlacesTheCaretAndStopsAtItsLength) {
  auto* edit = add(new CTextEdit(CRect(10, 10, 110, 23), &listener, 33, "default"));
  edit->setFont(kNormalFontVerySmall);
  edit->setMaxLength(24);
  auto press = [&](int32_t c, unsigned char v = 0, unsigned char m = 0) {
    VstKeyCode code = guitest::key(c, v, m);
    return frame->onKeyDown(code);
  };
  auto selection = [&] {
    return std::make_pair(edit->getSelectionStart(), edit->getSelectionEnd());
  };
  using Sel = std::pair<size_t, size_t>;
  // The first click selects the whole name, so typing replaces it.
  down(*frame, 60, 15);
  up(*frame, 60, 15);
  EXPECT_EQ(selection(), Sel(0, 7));
  press('T');
  EXPECT_EQ(edit->getEditText(), "T");
  // A second click places the caret; a drag from there selects.
  for (const char c : std::string("ape two")) {
    press(c);
  }
  down(*frame, 11, 15);
  EXPECT_EQ(selection(), Sel(0, 0));
  moved(*frame, 109, 15);
  up(*frame, 109, 15);
  EXPECT_EQ(selection(), Sel(0, 8));
  // Ctrl+A, Shift with Home and End, arrows collapsing a selection.
  press(0, VKEY_LEFT);
  EXPECT_EQ(selection(), Sel(0, 0));
  press(0, VKEY_END, MODIFIER_SHIFT);
  EXPECT_EQ(selection(), Sel(0, 8));
  press(0, VKEY_RIGHT);
  press(0, VKEY_HOME);
  press(0, VKEY_RIGHT, MODIFIER_SHIFT);
  EXPECT_EQ(selection(), Sel(0, 1));
  press('a', 0, MODIFIER_CONTROL);
  EXPECT_EQ(selection(), Sel(0, 8));
  EXPECT_EQ(press('q', 0, MODIFIER_CONTROL), -1);  // other shortcuts are the host's
  EXPECT_EQ(edit->getEditText(), "Tape two");
  // A double click selects the word under the pointer.
  down(*frame, 11, 15, kLButton | kDoubleClick);
  EXPECT_EQ(selection(), Sel(0, 4));
  // Typing stops at 24 bytes and never splits a character.
  press(0, VKEY_END);
  while (edit->getEditText().size() < 23) {
    press('W');
  }
  press(0xE9);  // é needs two bytes: refused
  EXPECT_EQ(edit->getEditText().size(), 23u);
  press('!');
  press('!');
  EXPECT_EQ(edit->getEditText(), "Tape twoWWWWWWWWWWWWWWW!");
  // A long name scrolls: its end at the right edge, its start back at Home.
  down(*frame, 108, 15);
  EXPECT_EQ(edit->getCaret(), 24u);
  press(0, VKEY_HOME);
  down(*frame, 12, 15);
  EXPECT_EQ(edit->getCaret(), 0u);
  down(*frame, 108, 15);
  EXPECT_LT(edit->getCaret(), 24u);
  // Enter keeps exactly what was shown.
  press(0, VKEY_RETURN);
  EXPECT_STREQ(edit->getText(), "Tape twoWWWWWWWWWWWWWWW!");
  edit->setText("a name far longer than any program name");
  EXPECT_EQ(std::string(edit->getText()).size(), 24u);
}

TEST_F(ControlTest, TextEditKeepsAtMost255Bytes) {
  auto* edit =
      add(new CTextEdit(CRect(0, 0, 10, 10), &listener, 33, std::string(300, 'x').c_str()));
  EXPECT_EQ(std::string(edit->getText()).size(), 255u);
}

TEST_F(ControlTest, TextEditTakesTextFromANativeFieldOnlyWhileEditing) {
  auto* edit = add(new CTextEdit(CRect(10, 10, 110, 23), &listener, 33, "abc"));
  edit->setEditText("ignored");
  EXPECT_FALSE(edit->isEditing());
  EXPECT_STREQ(edit->getText(), "abc");
  down(*frame, 20, 15);
  edit->setEditText((std::string(254, 'y') + "\xC3\xA9").c_str());  // 256 bytes, é last
  EXPECT_EQ(edit->getEditText().size(), 254u);  // clipped before the whole character
  EXPECT_EQ(edit->getCaret(), 254u);
  edit->setEditText("native");
  VstKeyCode enter = guitest::key(0, VKEY_RETURN);
  frame->onKeyDown(enter);
  EXPECT_STREQ(edit->getText(), "native");
  EXPECT_EQ(listener.changes.size(), 1u);
}

// ---------------------------------------------------------------- COptionMenu

TEST_F(ControlTest, OptionMenuEntriesAndCurrentEntry) {
  auto* menu = add(new COptionMenu(CRect(0, 0, 20, 12), &listener, 45, nullptr, nullptr, 0x1E00));
  EXPECT_TRUE(menu->getStyle() & kNoDrawStyle);
  for (const char* name : {"default", "slap", "lezlie"}) {
    menu->addEntry(name);
  }
  menu->setNbItemsPerColumn(17);
  EXPECT_EQ(menu->getNbEntries(), 3);
  EXPECT_TRUE(menu->setCurrent(2));
  EXPECT_EQ(menu->getCurrentIndex(), 2);
  EXPECT_STREQ(menu->getCurrent()->getTitle(), "lezlie");
  EXPECT_EQ(menu->getDisplayText(), "lezlie");
  menu->getEntry(1)->setTitle("renamed");
  EXPECT_STREQ(menu->getEntry(1)->getTitle(), "renamed");
  EXPECT_FALSE(menu->setCurrent(3));
  EXPECT_EQ(menu->getEntry(3), nullptr);
  EXPECT_TRUE(listener.changes.empty());  // setting is no choice
}

TEST_F(ControlTest, OptionMenuChoiceThroughThePopup) {
  auto* menu = add(new COptionMenu(CRect(0, 0, 20, 12), &listener, 45));
  for (const char* name : {"a", "b", "-", "d"}) {
    menu->addEntry(name);
  }
  EXPECT_TRUE(menu->getEntry(2)->isSeparator());
  std::vector<int32_t> shownCurrent;
  int32_t answer = 1;
  frame->setMenuPopup([&](COptionMenu* shown) {
    shownCurrent.push_back(shown->getCurrentIndex());
    return answer;
  });
  EXPECT_EQ(down(*frame, 5, 5), kMouseDownEventHandledButDontNeedMovedOrUpEvents);
  EXPECT_EQ(menu->getCurrentIndex(), 1);
  ASSERT_EQ(listener.changes.size(), 1u);
  EXPECT_FLOAT_EQ(listener.changes[0].value, 1.0f);
  EXPECT_EQ(editor.edits, (std::vector<std::string>{"b45", "e45"}));
  answer = -1;  // dismissed
  down(*frame, 5, 5);
  answer = 2;  // a separator cannot be chosen
  down(*frame, 5, 5);
  EXPECT_EQ(listener.changes.size(), 1u);
  EXPECT_EQ(menu->getCurrentIndex(), 1);
  EXPECT_EQ(shownCurrent, (std::vector<int32_t>{0, 1, 1}));
  EXPECT_TRUE(menu->chooseEntry(3));  // as a test picks an entry directly
  EXPECT_EQ(menu->getCurrentIndex(), 3);
  EXPECT_EQ(menu->getLastResult(), 3);
  EXPECT_EQ(listener.changes.size(), 2u);
}

TEST_F(ControlTest, OptionMenuPopupStaysOnTheScreenAtEveryEdge) {
  using platform::IntRect;
  const IntRect screen{0, 0, 1920, 1080};
  const auto at = [](const IntRect& r) {
    return std::make_tuple(r.left, r.top, r.right, r.bottom);
  };
  // Room below: under the button, at its left edge.
  EXPECT_EQ(at(placePopup({320, 500, 333, 512}, 140, 306, screen)),
            std::make_tuple(320, 512, 460, 818));
  // The bottom edge: above the button instead.
  EXPECT_EQ(at(placePopup({320, 1058, 333, 1070}, 140, 306, screen)),
            std::make_tuple(320, 752, 460, 1058));
  // The right edge: moved left; the left and top edges: moved right, kept below.
  EXPECT_EQ(at(placePopup({1900, 10, 1913, 22}, 140, 306, screen)),
            std::make_tuple(1780, 22, 1920, 328));
  EXPECT_EQ(at(placePopup({-30, -5, -17, 7}, 140, 306, screen)), std::make_tuple(0, 7, 140, 313));
  // No room on either side: as low as it fits, over the button.
  EXPECT_EQ(at(placePopup({10, 250, 23, 262}, 140, 306, {0, 0, 800, 400})),
            std::make_tuple(10, 94, 150, 400));
  // Taller than the screen: the screen's height, and the rows scroll.
  EXPECT_EQ(at(placePopup({10, 100, 23, 112}, 140, 306, {0, 0, 800, 200})),
            std::make_tuple(10, 0, 150, 200));

  auto* menu = add(new COptionMenu(CRect(0, 0, 20, 12), &listener, 45));
  for (int i = 0; i < 17; ++i) {
    menu->addEntry(("program " + std::to_string(i)).c_str());
  }
  MenuPopupLayout layout(*menu);
  layout.fitInto(200);
  EXPECT_EQ(layout.getHeight(), 11 * MenuPopupLayout::kRowHeight);  // whole rows only
  layout.scrollToShow(16);  // keys stepping down reach the last entry
  EXPECT_EQ(layout.getFirstRow(), 6);
  EXPECT_EQ(layout.entryAt(5, 10 * MenuPopupLayout::kRowHeight + 2), 16);
  layout.scrollBy(-100);
  EXPECT_EQ(layout.entryAt(5, 2), 0);
  std::vector<uint32_t> pixels(size_t(layout.getWidth()) * size_t(layout.getHeight()));
  layout.draw({pixels.data(), layout.getWidth(), layout.getHeight(), layout.getWidth()}, 0);
}

TEST_F(ControlTest, OptionMenuWithoutPopupHandlerChoosesNothing) {
  auto* menu = add(new COptionMenu(CRect(0, 0, 20, 12), &listener, 45));
  menu->addEntry("a");
  menu->addEntry("b");
  down(*frame, 5, 5);
  EXPECT_EQ(menu->getCurrentIndex(), 0);
  EXPECT_TRUE(listener.changes.empty());
  EXPECT_TRUE(menu->removeEntry(0));
  EXPECT_STREQ(menu->getEntry(0)->getTitle(), "b");
  CView* copy = menu->newCopy();
  EXPECT_EQ(static_cast<COptionMenu*>(copy)->getNbEntries(), 1);
  copy->forget();
}

// ---------------------------------------------------------------- CSplashScreen

TEST_F(ControlTest, SplashScreenShowsItsBitmapAsModalViewUntilClicked) {
  CBitmap* picture = images(200, 100, 2);  // the lower image (grey 1) is the picture
  CBitmap* buttonImages = images(20, 10, 2);
  auto* button = add(new COnOffButton(CRect(0, 0, 20, 10), &listener, 7, buttonImages));
  buttonImages->forget();
  auto* splash = add(new CSplashScreen(CRect(150, 0, 200, 20), &listener, 32, picture,
                                       CRect(0, 0, 200, 100), CPoint(0, 100)));
  picture->forget();
  EXPECT_EQ(shown(160, 10), 0);  // the hotspot itself draws nothing
  EXPECT_EQ(frame->getPixel(160, 10), 0xFF000000u);
  EXPECT_EQ(down(*frame, 160, 10, kRButton), kMouseEventNotHandled);
  EXPECT_EQ(frame->getModalView(), nullptr);
  EXPECT_EQ(down(*frame, 160, 10), kMouseDownEventHandledButDontNeedMovedOrUpEvents);
  EXPECT_FLOAT_EQ(splash->getValue(), 1.0f);
  ASSERT_NE(frame->getModalView(), nullptr);
  EXPECT_EQ(shown(100, 50), 1);
  EXPECT_EQ(shown(5, 5), 1);  // over the button too
  // A click anywhere on the picture removes it and touches nothing under it.
  down(*frame, 5, 5);
  EXPECT_EQ(frame->getModalView(), nullptr);
  EXPECT_FLOAT_EQ(splash->getValue(), 0.0f);
  EXPECT_FLOAT_EQ(button->getValue(), 0.0f);
  EXPECT_EQ(shown(100, 50), 0);
  ASSERT_EQ(listener.changes.size(), 2u);  // shown, hidden: both the splash screen's
  EXPECT_EQ(listener.changes[0].tag, 32);
  EXPECT_EQ(listener.changes[1].tag, 32);
  EXPECT_TRUE(editor.edits.empty());
  down(*frame, 160, 10);  // and again; the frame closes with it shown
  EXPECT_NE(frame->getModalView(), nullptr);
}

namespace {

// A splash screen with a modal view of its own, as the editor's about view has.
class OwnSplash : public CSplashScreen {
 public:
  using CSplashScreen::CSplashScreen;
  class Picture : public CControl {
   public:
    Picture(const CRect& r, OwnSplash* owner)
        : CControl(r, nullptr, 0, owner->getBackground()), owner(owner) {}
    CMouseEventResult onMouseDown(CPoint&, const CButtonState& buttons) override {
      if (!buttons.isLeftButton()) {
        return kMouseEventNotHandled;
      }
      owner->unSplash();
      CFrame* parent = getFrame();
      parent->setDirty(true);
      parent->setModalView(nullptr);
      forget();
      return kMouseEventHandled;
    }
    OwnSplash* owner;
  };
  CMouseEventResult onMouseDown(CPoint&, const CButtonState& buttons) override {
    if (!buttons.isLeftButton()) {
      return kMouseEventNotHandled;
    }
    setValue(getValue() == 0.0f ? 1.0f : 0.0f);
    if (getValue() != 0.0f) {
      getFrame()->setModalView(new Picture(getDisplayArea(), this));
      invalid();
    }
    return kMouseEventHandled;
  }
};

}  // namespace

TEST_F(ControlTest, UnSplashLeavesAModalViewThatIsNotItsOwn) {
  CBitmap* picture = images(200, 100, 1);
  auto* splash =
      add(new OwnSplash(CRect(150, 0, 200, 20), &listener, 32, picture, CRect(0, 0, 200, 100)));
  picture->forget();
  down(*frame, 160, 10);
  up(*frame, 160, 10);
  CView* modal = frame->getModalView();
  ASSERT_NE(modal, nullptr);
  splash->unSplash();
  EXPECT_FLOAT_EQ(splash->getValue(), 0.0f);
  EXPECT_EQ(frame->getModalView(), modal);
  splash->setValue(1.0f);
  down(*frame, 50, 50);  // the picture removes itself
  EXPECT_EQ(frame->getModalView(), nullptr);
  EXPECT_FLOAT_EQ(splash->getValue(), 0.0f);
  EXPECT_TRUE(listener.changes.empty());
}

TEST_F(ControlTest, OptionMenuNoDrawStyleLetsTheBackgroundShow) {
  auto* menu = add(new COptionMenu(CRect(0, 0, 40, 12), &listener, 45, nullptr, nullptr, 0x1E00));
  menu->addEntry("default");
  frame->idle();
  EXPECT_EQ(frame->getPixel(2, 2), 0xFF000000u);
  EXPECT_EQ(frame->getPixel(20, 6), 0xFF000000u);
}

TEST_F(ControlTest, TextEditShowsACaretWhileEditing) {
  auto* edit = add(new CTextEdit(CRect(10, 10, 110, 30), &listener, 33, "ab"));
  edit->setBackColor(kWhiteCColor);
  edit->setFontColor(kBlackCColor);
  edit->setStyle(kNoFrame);
  auto blackPixels = [&] {
    frame->idle();
    int count = 0;
    for (int y = 10; y < 30; ++y) {
      for (int x = 10; x < 110; ++x) {
        count += frame->getPixel(x, y) == 0xFF000000u ? 1 : 0;
      }
    }
    return count;
  };
  const int idle = blackPixels();
  down(*frame, 20, 15);
  EXPECT_GE(blackPixels(), idle + 16);  // a caret of 20 − 4 rows
  VstKeyCode escape = guitest::key(0, VKEY_ESCAPE);
  frame->onKeyDown(escape);
  EXPECT_EQ(blackPixels(), idle);
}

TEST_F(ControlTest, NewCopyKeepsTypeTagAndValue) {
  CBitmap* bitmap = images(20, 10, 3);
  std::vector<CControl*> originals = {
      new CMovieBitmap(CRect(0, 0, 20, 10), &listener, 1, 3, 10, bitmap),
      new CKickButton(CRect(0, 0, 20, 10), &listener, 2, 10, bitmap),
      new COnOffButton(CRect(0, 0, 20, 10), &listener, 3, bitmap),
      new CHorizontalSwitch(CRect(0, 0, 20, 10), &listener, 4, 3, 10, 3, bitmap),
      new CRockerSwitch(CRect(0, 0, 20, 10), &listener, 5, 10, bitmap),
      new CTextEdit(CRect(0, 0, 20, 10), &listener, 6, "text", bitmap),
      new COptionMenu(CRect(0, 0, 20, 10), &listener, 7, bitmap),
      new CSplashScreen(CRect(0, 0, 20, 10), &listener, 8, bitmap, CRect(0, 0, 200, 100)),
  };
  const char* types[] = {"CMovieBitmap",  "CKickButton", "COnOffButton", "CHorizontalSwitch",
                         "CRockerSwitch", "CTextEdit",   "COptionMenu",  "CSplashScreen"};
  bitmap->forget();
  for (size_t i = 0; i < originals.size(); ++i) {
    CControl* original = originals[i];
    original->setValue(0.5f);
    auto* copy = dynamic_cast<CControl*>(original->newCopy());
    ASSERT_NE(copy, nullptr) << types[i];
    EXPECT_TRUE(copy->isTypeOf(types[i]));
    EXPECT_TRUE(copy->isTypeOf("CControl"));
    EXPECT_TRUE(copy->isTypeOf("CView"));
    EXPECT_TRUE(copy->isTypeOf("CBaseObject"));
    EXPECT_FALSE(copy->isTypeOf("CFrame"));
    EXPECT_EQ(copy->getTag(), original->getTag());
    EXPECT_FLOAT_EQ(copy->getValue(), 0.5f);
    EXPECT_EQ(copy->getBackground(), original->getBackground());
    copy->forget();
    original->forget();
  }
}
