// The preset panel's program choice, name field, learn and unassign buttons
// and controller display, through the window's events.
#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <fstream>
#include <sstream>
#ifndef _WIN32
#include <signal.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

#include "guitest.h"
#include "panelwindow.h"
#include "presets/cpskickbutton.h"
#include "presets/records.h"

namespace {

using guitest::key;
using paneltest::PanelTest;

constexpr int32_t kStep = 34, kLoadPreset = 37, kSavePreset = 38, kLearn = 40, kUnassign = 44,
                  kDefaultPreset = 47, kStoreA = 48;

}  // namespace

TEST_F(PanelTest, ProgramListAndStepSwitchAtBothEnds) {
  open();
  programList().chooseEntry(11);
  EXPECT_EQ(zel->getCurrentProgramIndex(), 11);
  EXPECT_EQ(std::string(nameField().getText()), "lezlie");
  EXPECT_EQ(programList().getCurrentIndex(), 11);

  press(kStep, kLButton, 0.75);
  EXPECT_EQ(zel->getCurrentProgramIndex(), 12);
  press(kStep, kLButton, 0.25);
  press(kStep, kLButton, 0.25);
  EXPECT_EQ(zel->getCurrentProgramIndex(), 10);
  EXPECT_EQ(programList().getCurrentIndex(), 10);
  EXPECT_EQ(std::string(nameField().getText()), name(10));

  programList().chooseEntry(16);
  zel->setParameter(6, 0.5f);
  host.clear();
  press(kStep, kLButton, 0.75);  // the last program stays, selected again
  EXPECT_EQ(zel->getCurrentProgramIndex(), 16);
  EXPECT_GT(host.count(audioMasterUpdateDisplay), 0);
  programList().chooseEntry(0);
  press(kStep, kLButton, 0.25);
  EXPECT_EQ(zel->getCurrentProgramIndex(), 0);
}

TEST_F(PanelTest, RenamingThroughTheNameFieldReachesTheHost) {
  open();
  zel->selectProgram(2);  // as a restored chunk does: the panel follows at the next idle
  idle();
  EXPECT_EQ(programList().getCurrentIndex(), 2);
  press(33);
  for (int i = 0; i < 30; ++i) {
    VstKeyCode back = key(0, VKEY_BACK);
    frame().onKeyDown(back);
  }
  for (const char c : std::string("A name longer than twenty-four")) {
    VstKeyCode typed = key(c);
    frame().onKeyDown(typed);
  }
  host.clear();
  VstKeyCode enter = key(0, VKEY_RETURN);
  frame().onKeyDown(enter);
  EXPECT_EQ(name(2), "A name longer than twent");
  EXPECT_EQ(std::string(nameField().getText()), "A name longer than twent");
  EXPECT_STREQ(programList().getEntry(2)->getTitle(), "A name longer than twent");
  EXPECT_EQ(host.count(audioMasterUpdateDisplay), 1);
  EXPECT_EQ(plugin->text(effGetProgramName), "A name longer than twent");

  // The host renames: the panel follows.
  char renamed[] = "from the host";
  plugin->dispatch(effSetProgramName, 0, 0, renamed);
  EXPECT_EQ(std::string(nameField().getText()), "from the host");
  EXPECT_STREQ(programList().getEntry(2)->getTitle(), "from the host");
}

TEST_F(PanelTest, LearnAndUnassignExcludeEachOther) {
  zel->startLearn();
  open();  // a window never opens in learn mode
  EXPECT_FALSE(zel->isLearnActive());
  press(kLearn);
  EXPECT_TRUE(zel->isLearnActive());
  EXPECT_EQ(panel(kLearn).getValue(), 1.0f);
  press(kUnassign);
  idle();
  EXPECT_FALSE(zel->isLearnActive());
  EXPECT_TRUE(zel->isUnassignActive());
  EXPECT_EQ(panel(kLearn).getValue(), 0.0f);
  press(kLearn);
  idle();
  EXPECT_TRUE(zel->isLearnActive());
  EXPECT_FALSE(zel->isUnassignActive());
  EXPECT_EQ(panel(kUnassign).getValue(), 0.0f);
  press(kLearn);
  EXPECT_FALSE(zel->isLearnActive());
}

TEST_F(PanelTest, ControllerDisplayNamesTheControllerUnderThePointer) {
  open();
  auto shownOver = [&](CCoord x, CCoord y) {
    CPoint where(x, y);
    frame().onMouseMoved(where, 0);
    idle();
    return dynamic_cast<CParamDisplay&>(panel(39)).getDisplayText();
  };
  const CRect fbck = control(6).getViewSize();
  EXPECT_EQ(shownOver(fbck.left + 2, fbck.top + 2), "control 109");
  zel->setParameter(18 + 6, 1.0f);
  EXPECT_EQ(shownOver(fbck.left + 2, fbck.top + 2), "not assigned");
  const CRect drag = control(31).getViewSize();  // a delay drag area stands for DlyTime
  EXPECT_EQ(shownOver(drag.left + 1, drag.top + 1), "control 105");
  EXPECT_EQ(shownOver(600, 5), "");  // the background
}

TEST_F(PanelTest, AStoreLightsItsButtonForHalfASecondAndARemovalFlashesTwice) {
  open();
  const auto lit = [&](uint32_t at) {
    idleAt(at);
    return dynamic_cast<CPSKickButton&>(panel(kStoreA)).isLit() ||
           dynamic_cast<CPSKickButton&>(panel(kDefaultPreset)).isLit();
  };
  const CRect button = panel(kStoreA).getViewSize();
  const auto pixels = [&] {
    std::vector<uint32_t> shown;
    for (int y = int(button.top); y < int(button.bottom); ++y) {
      for (int x = int(button.left); x < int(button.right); ++x) {
        shown.push_back(frame().getPixel(x, y));
      }
    }
    return shown;
  };
  idleAt(1000);
  const std::vector<uint32_t> dark = pixels();
  CPoint at(button.left + 5, button.top + 5);
  frame().onMouseDown(at, kLButton);
  idleAt(1100);
  const std::vector<uint32_t> held = pixels();
  EXPECT_NE(held, dark);
  frame().onMouseUp(at, 0);
  CPoint away(600, 5);
  frame().onMouseMoved(away, 0);
  // Lit for half a second from the release: its glyph glows amber.
  EXPECT_TRUE(lit(3000));
  const std::vector<uint32_t> glow = pixels();
  EXPECT_TRUE(std::any_of(glow.begin(), glow.end(),
                          [](uint32_t p) { return ((p >> 16) & 0xFF) > 200 && (p & 0xFF) < 100; }));
  EXPECT_TRUE(lit(3499));
  EXPECT_FALSE(lit(3500));
  EXPECT_EQ(pixels(), dark);

  // A removal: lit, dark, lit, dark, then nothing.
  doubleClick(kDefaultPreset, kControl);
  std::string seen;
  for (uint32_t t : {4000u, 4200u, 4300u, 4400u, 4600u}) {
    seen += lit(t) ? '#' : '.';
  }
  EXPECT_EQ(seen, "#.#..");

#ifndef _WIN32
  // A store that could not be written shows nothing.
  writeAll(box.path("blocked"), "a file, no folder");
  const std::string config = std::getenv("XDG_CONFIG_HOME");
  setenv("XDG_CONFIG_HOME", box.path("blocked").c_str(), 1);
  press(kStoreA);
  EXPECT_FALSE(lit(5000));
  setenv("XDG_CONFIG_HOME", config.c_str(), 1);
#endif
}

#ifndef _WIN32
// A file dialog the user keeps open (a child process standing in for zenity)
// holds neither the host's idle nor the panel: the preset is saved at the
// idle pass that sees the dialog end, no second dialog opens meanwhile, and
// closing the editor ends a dialog still open without acting on it.
TEST_F(PanelTest, FileDialogsRunBesideTheIdleAndEndWithTheEditor) {
  CScriptedFileSelector::uninstall();
  const std::string script = box.path("dialog.sh");
  const std::string started = script + ".log";
  const std::string go = box.path("go");
  const std::string target = box.path("waited.zel");
  std::ofstream(script) << "#!/bin/sh\necho $$ >> '" << started << "'\nwhile [ ! -e '" << go
                        << "' ]; do sleep 0.01; done\necho '" << target << "'\n";
  chmod(script.c_str(), 0755);
  setenv("ONDEX_FILE_DIALOG", script.c_str(), 1);
  // The ids of the dialogs started so far, after idle passes until there are
  // `count` (or `passes` of them).
  const auto dialogsStarted = [&](size_t count, int passes = 1000) {
    std::vector<pid_t> ids;
    for (int i = 0; i < passes && ids.size() < count; ++i) {
      idle();
      ids.clear();
      std::ifstream log(started);
      for (pid_t id = 0; log >> id;) {
        ids.push_back(id);
      }
      usleep(2000);
    }
    return ids;
  };

  open();
  press(kSavePreset);
  press(kSavePreset);  // one dialog at a time
  ASSERT_EQ(dialogsStarted(1).size(), 1u);
  EXPECT_EQ(dialogsStarted(2, 25).size(), 1u);
  EXPECT_FALSE(std::filesystem::exists(target));
  std::ofstream(go) << "";
  for (int i = 0; i < 1000 && !std::filesystem::exists(target); ++i) {
    idle();
    usleep(2000);
  }
  EXPECT_EQ(readAll(target).size(), kPresetRecordSize);

  std::filesystem::remove(go);
  zel->setParameter(6, 0.75f);
  press(kLoadPreset);
  const std::vector<pid_t> ids = dialogsStarted(2);
  ASSERT_EQ(ids.size(), 2u);
  plugin->dispatch(effEditClose);
  errno = 0;
  EXPECT_EQ(kill(ids[1], 0), -1);  // killed and reaped
  EXPECT_EQ(errno, ESRCH);
  std::ofstream(go) << "";
  idle();
  EXPECT_EQ(zel->getParameter(6), 0.75f);  // the dropped dialog loaded nothing
  unsetenv("ONDEX_FILE_DIALOG");
}
#endif
