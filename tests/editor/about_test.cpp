// The about view in a frame of the editor's size: the hotspot over the logo,
// the modal picture with the version, and the click that closes it.
#include "editor/cabout.h"
#include "editor/csplashscreenmyview.h"
#include "editorframe.h"

using editortest::Log;
using guitest::down;
using guitest::moved;
using guitest::up;

namespace {

class AboutTest : public editortest::EditorFrameTest {
 protected:
  AboutTest() : EditorFrameTest(CRect(0, 0, 870, 101)) {}

  // Pixels of the version's white text inside `area` of the frame image.
  int whitePixels(const CRect& area) const {
    int count = 0;
    for (int y = int(area.top); y < int(area.bottom); ++y) {
      for (int x = int(area.left); x < int(area.right); ++x) {
        count += (frame->getPixel(x, y) & 0xFFFFFFu) > 0xC0C0C0u ? 1 : 0;
      }
    }
    return count;
  }
};

}  // namespace

TEST_F(AboutTest, LogoClickShowsThePictureModallyAndAnyClickClosesItTouchingNothing) {
  setBackground(1);
  auto* knob = add(new CAnimKnob(CRect(109, 25, 144, 60), &listener, 0, images(35, 35, 5)));
  knob->setValue(0.5f);
  auto* about = add(new CAbout(CRect(806, 15, 867, 39), &listener, 32, images(870, 101, 1),
                               CRect(0, 0, 870, 101), CPoint(0, 0), CPoint(520, 57)));
  const CRect version(520, 57, 620, 72);
  EXPECT_EQ(shown(830, 25), 1);  // the hotspot never draws
  EXPECT_EQ(shown(120, 40), 2);  // the knob's middle image

  EXPECT_EQ(down(*frame, 830, 25, kRButton), kMouseEventNotHandled);
  EXPECT_EQ(frame->getModalView(), nullptr);

  for (int shownAgain = 0; shownAgain < 2; ++shownAgain) {
    EXPECT_EQ(down(*frame, 830, 25), kMouseEventHandled);
    up(*frame, 830, 25);
    EXPECT_FLOAT_EQ(about->getValue(), 1.0f);
    CView* modal = frame->getModalView();
    ASSERT_NE(modal, nullptr);
    EXPECT_TRUE(modal->isTypeOf("CSplashScreenMyView"));
    EXPECT_EQ(shown(120, 40), 0);  // the picture covers the knob
    EXPECT_GT(whitePixels(version), 20);
    EXPECT_EQ(whitePixels(CRect(0, 0, 870, 57)) + whitePixels(CRect(620, 57, 870, 101)), 0);
    EXPECT_EQ(down(*frame, 830, 25, kRButton), kMouseEventNotHandled);  // stays shown
    EXPECT_EQ(frame->getModalView(), modal);

    // A press and a drag over the knob close the picture and leave the knob be.
    EXPECT_EQ(down(*frame, 120, 40), kMouseEventHandled);
    moved(*frame, 120, 0);
    up(*frame, 120, 0);
    EXPECT_EQ(frame->getModalView(), nullptr);
    EXPECT_FLOAT_EQ(about->getValue(), 0.0f);
    EXPECT_FLOAT_EQ(knob->getValue(), 0.5f);
    EXPECT_EQ(shown(120, 40), 2);
    EXPECT_EQ(whitePixels(version), 0);
  }
  EXPECT_TRUE(listener.log.empty());
  EXPECT_TRUE(editor.edits.empty());

  // Closing the frame with the picture shown releases it with the rest.
  down(*frame, 830, 25);
  EXPECT_NE(frame->getModalView(), nullptr);
}
