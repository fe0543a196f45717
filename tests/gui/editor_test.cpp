// The editor binding (AEffGUIEditor) between the host boundary and a frame,
// and the file selector interface with its scripted implementation.
#include <gtest/gtest.h>

#include <memory>

#include "fakehost.h"
#include "gui/aeffguieditor.h"
#include "gui/toolkit.h"
#include "guitest.h"
#include "host/audioeffectx.h"
#include "scriptedfileselector.h"

using guitest::down;
using guitest::moved;
using guitest::up;

namespace {

class GuiEffect : public AudioEffectX {
 public:
  explicit GuiEffect(audioMasterCallback master) : AudioEffectX(master, 1, 4) {}
  void processReplacing(float**, float**, VstInt32) override {}
};

// An editor as the plug-in's will be: a frame of 870 × 101 with one knob and
// one text field, created at open, closed at close.
class TestEditor : public AEffGUIEditor, public CControlListener {
 public:
  explicit TestEditor(AudioEffect* effect) : AEffGUIEditor(effect) {
    rect.top = 0;
    rect.left = 0;
    rect.bottom = 101;
    rect.right = 870;
  }
  bool open(void* parent) override {
    AEffGUIEditor::open(parent);
    frame = new CFrame(CRect(0, 0, 870, 101), parent, this);
    knob = new CAnimKnob(CRect(100, 20, 140, 60), this, 6, nullptr);
    frame->addView(knob);
    text = new CTextEdit(CRect(200, 87, 320, 100), this, 33, "name");
    frame->addView(text);
    return true;
  }
  void close() override {
    knob = nullptr;
    text = nullptr;
    if (frame != nullptr) {
      frame->close();
      frame = nullptr;
    }
    AEffGUIEditor::close();
  }
  void valueChanged(CControl* control) override { changes.push_back(control->getTag()); }
  CAnimKnob* knob = nullptr;
  CTextEdit* text = nullptr;
  std::vector<int32_t> changes;
};

class EditorTest : public ::testing::Test {
 protected:
  void SetUp() override {
    liveBefore = CBaseObject::liveObjects();
    effect = std::make_unique<GuiEffect>(FakeHost::callback);
    editor = new TestEditor(effect.get());  // the effect owns it
  }
  void TearDown() override {
    AEffGUIEditor::setTickSource(nullptr);
    effect.reset();
    EXPECT_EQ(CBaseObject::liveObjects(), liveBefore);
  }
  VstIntPtr dispatch(VstInt32 opcode, VstInt32 index = 0, VstIntPtr value = 0, void* ptr = nullptr,
                     float opt = 0.0f) {
    return effect->dispatcher(opcode, index, value, ptr, opt);
  }
  int32_t liveBefore = 0;
  FakeHost host;
  std::unique_ptr<GuiEffect> effect;
  TestEditor* editor = nullptr;
};

}  // namespace

TEST_F(EditorTest, RegistersItselfAsTheEffectsEditor) {
  EXPECT_EQ(effect->getEditor(), editor);
  EXPECT_NE(effect->getAeffect()->flags & effFlagsHasEditor, 0);
  EXPECT_EQ(editor->getEffect(), effect.get());
}

TEST_F(EditorTest, RectangleThroughTheDispatcher) {
  ERect* rect = nullptr;
  EXPECT_EQ(dispatch(effEditGetRect, 0, 0, &rect), 1);
  ASSERT_NE(rect, nullptr);
  EXPECT_EQ(rect->top, 0);
  EXPECT_EQ(rect->left, 0);
  EXPECT_EQ(rect->bottom, 101);
  EXPECT_EQ(rect->right, 870);
}

TEST_F(EditorTest, OpenIdleAndCloseManageTheFrame) {
  int parent = 0;
  EXPECT_EQ(dispatch(effEditOpen, 0, 0, &parent), 1);
  ASSERT_NE(editor->getFrame(), nullptr);
  EXPECT_TRUE(editor->isOpen());
  EXPECT_EQ(editor->getFrame()->getSystemWindow(), &parent);
  EXPECT_TRUE(editor->getFrame()->isDirty());
  dispatch(effEditIdle);
  EXPECT_FALSE(editor->getFrame()->isDirty());  // the idle pass drew it
  editor->knob->setValue(0.9f);
  EXPECT_TRUE(editor->knob->isDirty());
  dispatch(effEditIdle);
  EXPECT_FALSE(editor->knob->isDirty());
  dispatch(effEditClose);
  EXPECT_EQ(editor->getFrame(), nullptr);
  EXPECT_FALSE(editor->isOpen());
  dispatch(effEditIdle);          // closed: nothing to do
  dispatch(effEditClose);         // unpaired close
  for (int i = 0; i < 20; ++i) {  // many opens and closes
    dispatch(effEditOpen, 0, 0, &parent);
    dispatch(effEditIdle);
    dispatch(effEditClose);
  }
  EXPECT_EQ(CBaseObject::liveObjects(), liveBefore);
}

TEST_F(EditorTest, AnOpenWindowIsClosedWithTheEffect) {
  int parent = 0;
  dispatch(effEditOpen, 0, 0, &parent);
  dispatch(effEditIdle);
  // TearDown destroys the effect, which deletes the editor and its frame.
}

TEST_F(EditorTest, AKnobGestureReachesTheHostAsOneEditPair) {
  int parent = 0;
  dispatch(effEditOpen, 0, 0, &parent);
  editor->setKnobMode(kLinearMode);
  CFrame& frame = *editor->getFrame();
  down(frame, 120, 40);
  moved(frame, 120, 30);
  moved(frame, 120, 20);
  EXPECT_EQ(host.count(audioMasterBeginEdit), 1);
  EXPECT_EQ(host.count(audioMasterEndEdit), 0);
  up(frame, 120, 20);
  EXPECT_EQ(host.count(audioMasterEndEdit), 1);
  EXPECT_EQ(host.last(audioMasterBeginEdit)->index, 6);
  EXPECT_EQ(host.last(audioMasterEndEdit)->index, 6);
  EXPECT_EQ(editor->changes, (std::vector<int32_t>{6, 6}));
  // Begin comes before end in the host's log.
  const auto requests = host.requests();
  int begin = -1, end = -1;
  for (size_t i = 0; i < requests.size(); ++i) {
    if (requests[i].opcode == audioMasterBeginEdit) begin = int(i);
    if (requests[i].opcode == audioMasterEndEdit) end = int(i);
  }
  EXPECT_LT(begin, end);
  dispatch(effEditClose);
}

TEST_F(EditorTest, KnobModeIsSharedByAllInstances) {
  GuiEffect otherEffect(FakeHost::callback);
  auto* other = new TestEditor(&otherEffect);
  EXPECT_EQ(dispatch(effSetEditKnobMode, 0, kRelativCircularMode), 1);
  EXPECT_EQ(other->getKnobMode(), kRelativCircularMode);
  other->setKnobMode(kLinearMode);
  EXPECT_EQ(editor->getKnobMode(), kLinearMode);
  int parent = 0;
  dispatch(effEditOpen, 0, 0, &parent);
  EXPECT_EQ(editor->getFrame()->getKnobMode(), kLinearMode);
  dispatch(effEditClose);
  editor->setKnobMode(kCircularMode);
}

TEST_F(EditorTest, KeysGoToTheFrameAndReportUse) {
  EXPECT_EQ(dispatch(effEditKeyDown, 'a', 0, nullptr, 0.0f), 0);  // closed
  int parent = 0;
  dispatch(effEditOpen, 0, 0, &parent);
  EXPECT_EQ(dispatch(effEditKeyDown, 'a', 0, nullptr, 0.0f), 0);  // nobody has the focus
  down(*editor->getFrame(), 210, 90);                             // selects the whole name
  EXPECT_EQ(dispatch(effEditKeyDown, 'x', 0, nullptr, 0.0f), 1);
  EXPECT_EQ(dispatch(effEditKeyDown, 0, VKEY_RETURN, nullptr, 0.0f), 1);
  EXPECT_STREQ(editor->text->getText(), "x");
  EXPECT_EQ(editor->changes, (std::vector<int32_t>{33}));
  EXPECT_EQ(host.last(audioMasterBeginEdit)->index, 33);
  EXPECT_EQ(dispatch(effEditKeyUp, 'x', 0, nullptr, 0.0f), 0);
  dispatch(effEditClose);
}

TEST_F(EditorTest, TickCountInMillisecondsCanBeInjected) {
  const uint32_t first = editor->getTicks();
  const uint32_t second = editor->getTicks();
  EXPECT_LE(second - first, 1000u);  // system uptime, monotonic
  uint32_t now = 0xFFFFFF00u;
  AEffGUIEditor::setTickSource([&now] { return now; });
  EXPECT_EQ(editor->getTicks(), 0xFFFFFF00u);
  now += 0x200;  // wraps as a 32-bit count does
  EXPECT_EQ(editor->getTicks(), 0x100u);
}

TEST_F(EditorTest, DoIdleStuffAsksTheHostForIdleAtMostEveryIdleRate) {
  uint32_t now = 1000;
  AEffGUIEditor::setTickSource([&now] { return now; });
  editor->doIdleStuff();
  EXPECT_EQ(host.count(audioMasterIdle), 1);
  now += AEffGUIEditor::kIdleRate - 1;
  editor->doIdleStuff();
  EXPECT_EQ(host.count(audioMasterIdle), 1);
  now += 1;
  editor->doIdleStuff();
  EXPECT_EQ(host.count(audioMasterIdle), 2);
  // A drag runs it too.
  int parent = 0;
  dispatch(effEditOpen, 0, 0, &parent);
  CFrame& frame = *editor->getFrame();
  down(frame, 120, 40);
  now += 500;
  moved(frame, 120, 35);
  up(frame, 120, 35);
  EXPECT_EQ(host.count(audioMasterIdle), 3);
  dispatch(effEditClose);
}

// ---------------------------------------------------------------- file selector

TEST(FileSelector, WithoutAFactoryThePlatformDialogRuns) {
  CScriptedFileSelector::uninstall();
  CNewFileSelector* selector = CNewFileSelector::create(nullptr, CNewFileSelector::kSelectFile);
  ASSERT_NE(selector, nullptr);
  EXPECT_TRUE(selector->isTypeOf("CNewFileSelector"));
#ifndef _WIN32
  // A dialog program that cannot start chooses nothing.
  setenv("ONDEX_FILE_DIALOG", "/nonexistent/dialog", 1);
  EXPECT_FALSE(selector->runModal());
  unsetenv("ONDEX_FILE_DIALOG");
#endif
  EXPECT_EQ(selector->getNumSelectedFiles(), 0);
  EXPECT_EQ(selector->getSelectedFile(0), nullptr);
  selector->forget();
}

TEST(FileSelector, ScriptedDialogKeepsTheRequestAndAnswers) {
  CScriptedFileSelector::install();
  CFrame* frame = new CFrame(CRect(0, 0, 10, 10), nullptr);
  CNewFileSelector* selector = CNewFileSelector::create(frame, CNewFileSelector::kSelectSaveFile);
  selector->setTitle("Save preset");
  selector->setInitialDirectory("/home/user/presets");
  selector->setDefaultSaveName("default.zel");
  const CFileExtension zel("Ondex preset", "zel");
  selector->setDefaultExtension(zel);
  selector->addFileExtension(zel);
  selector->setAllowMultiFileSelection(false);
  CScriptedFileSelector::queueAnswer({"/home/user/presets/mine.zel"});
  EXPECT_TRUE(selector->runModal());
  ASSERT_EQ(selector->getNumSelectedFiles(), 1);
  EXPECT_STREQ(selector->getSelectedFile(0), "/home/user/presets/mine.zel");
  EXPECT_EQ(selector->getParentFrame(), frame);
  ASSERT_EQ(CScriptedFileSelector::requests().size(), 1u);
  const auto& request = CScriptedFileSelector::requests()[0];
  EXPECT_EQ(request.style, CNewFileSelector::kSelectSaveFile);
  EXPECT_EQ(request.title, "Save preset");
  EXPECT_EQ(request.initialDirectory, "/home/user/presets");
  EXPECT_EQ(request.defaultSaveName, "default.zel");
  EXPECT_EQ(request.defaultExtension, "zel");
  ASSERT_EQ(request.extensions.size(), 1u);
  EXPECT_STREQ(request.extensions[0].getDescription(), "Ondex preset");
  EXPECT_FALSE(request.allowMultiSelection);
  selector->forget();
  frame->close();
  CScriptedFileSelector::uninstall();
}

TEST(FileSelector, ACancelledDialogAndOneWithTwoPaths) {
  CScriptedFileSelector::install();
  CScriptedFileSelector::queueAnswer({});
  CScriptedFileSelector::queueAnswer({"/a.zeb", "/b.zeb"});
  CNewFileSelector* selector = CNewFileSelector::create(nullptr, CNewFileSelector::kSelectFile);
  EXPECT_FALSE(selector->runModal());
  EXPECT_EQ(selector->getNumSelectedFiles(), 0);
  EXPECT_TRUE(selector->runModal());
  EXPECT_EQ(selector->getNumSelectedFiles(), 2);  // what that means is the caller's matter
  EXPECT_FALSE(selector->runModal());             // the script is used up: cancelled
  EXPECT_EQ(CScriptedFileSelector::requests().size(), 3u);
  selector->forget();
  CScriptedFileSelector::uninstall();
}
