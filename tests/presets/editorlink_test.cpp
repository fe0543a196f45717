// What the preset system tells its editor, when one is attached.
#include <gtest/gtest.h>

#include <string>

#include "fakehost.h"
#include "host/aeffeditor.h"
#include "plugin/zel.h"
#include "presets/presetsystemeditorlink.h"

namespace {

class PanelProbe : public AEffEditor, public CPresetSystemEditorLink {
 public:
  using AEffEditor::AEffEditor;
  void showProgramName(const char* name) override { shown = name; }
  void readStoredDefaults() override { ++defaultsRead; }
  void clearLearnButton() override { ++learnCleared; }
  void clearUnassignButton() override { ++unassignCleared; }
  void setParameter(VstInt32 index, float value) override {
    lastIndex = index;
    lastValue = value;
  }

  std::string shown;
  int defaultsRead = 0, learnCleared = 0, unassignCleared = 0;
  VstInt32 lastIndex = -1;
  float lastValue = -1.0f;
};

class AttachableZel : public Zel {
 public:
  using Zel::setEditor;
  using Zel::Zel;
};

}  // namespace

TEST(EditorLink, ThePresetSystemKeepsItsPanelInStep) {
  FakeHost host;
  AttachableZel zel(FakeHost::callback);
  auto* panel = new PanelProbe(&zel);
  zel.setEditor(panel);  // the effect owns and deletes it

  zel.loadStoredDefaults();
  EXPECT_EQ(panel->defaultsRead, 1);

  char name[] = "from the host";
  zel.setProgramName(name);
  EXPECT_EQ(panel->shown, "from the host");

  zel.startLearn();
  zel.stopLearn();
  EXPECT_EQ(panel->learnCleared, 1);
  zel.startUnassign();
  zel.setParameter(4, 1.0f);  // the touched parameter loses its controller, the mode ends
  EXPECT_EQ(panel->unassignCleared, 1);

  // Every parameter change reaches the editor; DlyTime as the value in force.
  zel.setParameter(kDlyTime, 1.5f);
  EXPECT_EQ(panel->lastIndex, kDlyTime);
  EXPECT_EQ(panel->lastValue, 1.0f);
  zel.setParameter(30, 0.2f);
  EXPECT_EQ(panel->lastIndex, 30);
}
