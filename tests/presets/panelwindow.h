// The plug-in's editor on a headless frame with the preset panel, its own
// per-user store and scripted file dialogs: clicks on the panel's controls by
// tag, new instances that read the store, and the state of the programs.
#pragma once

#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "editorwindow.h"
#include "gui/coptionmenu.h"
#include "gui/ctextedit.h"
#include "sandbox.h"
#include "scriptedfileselector.h"

namespace paneltest {

class PanelTest : public editortest::EditorWindowTest {
 protected:
  void SetUp() override {
    workingDirectory = std::filesystem::current_path();
    CScriptedFileSelector::install();
    EditorWindowTest::SetUp();
  }
  void TearDown() override {
    EditorWindowTest::TearDown();
    CScriptedFileSelector::uninstall();
    EXPECT_EQ(std::filesystem::current_path(), workingDirectory);  // the host's, never changed
  }

  // The control of the window with this tag, the panel's included.
  CControl& panel(int32_t tag) {
    for (int32_t i = 0; i < frame().getNbViews(); ++i) {
      if (auto* c = dynamic_cast<CControl*>(frame().getView(i));
          c != nullptr && c->getTag() == tag) {
        return *c;
      }
    }
    ADD_FAILURE() << "no control " << tag;
    return *static_cast<CControl*>(frame().getView(0));
  }
  // A press and release in the middle of the control (right half or left
  // half for the previous/next switch).
  void press(int32_t tag, int32_t buttons = kLButton, CCoord xShare = 0.5) {
    const CRect& r = panel(tag).getViewSize();
    CPoint where(r.left + r.getWidth() * xShare, r.top + r.getHeight() / 2);
    frame().onMouseMoved(where, 0);
    frame().onMouseDown(where, buttons);
    frame().onMouseUp(where, 0);
  }
  void doubleClick(int32_t tag, int32_t modifiers = 0) {
    press(tag, kLButton | modifiers);
    press(tag, kLButton | kDoubleClick | modifiers);
  }
  // The next file dialog answers this path (none: cancelled).
  void answer(const std::string& path) {
    CScriptedFileSelector::queueAnswer(path.empty() ? std::vector<std::string>{}
                                                    : std::vector<std::string>{path});
  }
  const CScriptedFileSelector::Request& lastDialog() {
    return CScriptedFileSelector::requests().back();
  }
  CTextEdit& nameField() { return dynamic_cast<CTextEdit&>(panel(33)); }
  COptionMenu& programList() { return dynamic_cast<COptionMenu&>(panel(45)); }

  // A new instance, as a host makes one: it reads the store as it starts.
  void newInstance() {
    plugin.reset();
    plugin = std::make_unique<Plugin>(nullptr, factory);
    zel = static_cast<Zel*>(plugin->effect()->object);
    editor = dynamic_cast<Editor*>(zel->getEditor());
  }
  const Program& program(int k) { return zel->getPrograms()[k]; }
  std::string name(int k) { return std::string(program(k).name, strnlen(program(k).name, 24)); }

  Sandbox box;
  std::filesystem::path workingDirectory;
};

}  // namespace paneltest
