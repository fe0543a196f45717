// The Linux file dialog up to the process launch: a scripted program stands in
// for zenity, records its arguments and answers a path, two paths, a cancel,
// or waits until told while the frame's idle passes go on.
#include <gtest/gtest.h>
#include <signal.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <string>

#include "gui/toolkit.h"
#include "guitest.h"
#include "scriptedfileselector.h"

namespace {

class DialogTest : public ::testing::Test {
 protected:
  void SetUp() override {
    CScriptedFileSelector::uninstall();
    char pattern[] = "/tmp/ondex-dialog-XXXXXX";
    ASSERT_NE(mkdtemp(pattern), nullptr);
    folder = pattern;
    const std::string script = folder + "/dialog.sh";
    std::ofstream(script) << "#!/bin/sh\n"
                             "if [ \"$1\" = --question ]; then\n"
                             "  for a in \"$@\"; do printf '[%s]\\n' \"$a\"; done > \"$0.asked\"\n"
                             "  [ \"$ONDEX_TEST_REPLACE\" = yes ]; exit $?\n"
                             "fi\n"
                             "for a in \"$@\"; do printf '[%s]\\n' \"$a\"; done > \"$0.args\"\n"
                             "case \"$ONDEX_TEST_ANSWER\" in\n"
                             "  cancel) exit 1 ;;\n"
                             "  two) echo /tmp/a.zel; echo /tmp/b.zel ;;\n"
                             "  wait) echo $$ > \"$0.pid\"\n"
                             "        while [ ! -e \"$0.go\" ]; do sleep 0.01; done\n"
                             "        echo /tmp/waited.zel ;;\n"
                             "  *) echo \"$ONDEX_TEST_ANSWER\" ;;\n"
                             "esac\n";
    chmod(script.c_str(), 0755);
    setenv("ONDEX_FILE_DIALOG", script.c_str(), 1);
    argsFile = script + ".args";
    askedFile = script + ".asked";
    pidFile = script + ".pid";
    goFile = script + ".go";
  }
  void TearDown() override {
    unsetenv("ONDEX_FILE_DIALOG");
    unsetenv("ONDEX_TEST_ANSWER");
    unsetenv("ONDEX_TEST_REPLACE");
    std::remove(argsFile.c_str());
    std::remove(askedFile.c_str());
    std::remove(pidFile.c_str());
    std::remove(goFile.c_str());
    std::remove((folder + "/dialog.sh").c_str());
    rmdir(folder.c_str());
  }
  std::string arguments() const {
    std::stringstream text;
    text << std::ifstream(argsFile).rdbuf();
    return text.str();
  }
  static bool run(CNewFileSelector* selector, const char* answer) {
    setenv("ONDEX_TEST_ANSWER", answer, 1);
    return selector->runModal();
  }
  // What the user was asked since the last call, "" when nothing.
  std::string asked() const {
    std::stringstream text;
    text << std::ifstream(askedFile).rdbuf();
    std::remove(askedFile.c_str());
    return text.str();
  }
  // Runs the frame's idle passes until the waiting dialog has started: its
  // process id (0 when it never did).
  static pid_t idleUntilStarted(CFrame& frame, const std::string& pidFile) {
    for (int i = 0; i < 1000; ++i) {
      frame.idle();
      pid_t pid = 0;
      if (std::ifstream(pidFile) >> pid) {
        return pid;
      }
      usleep(2000);
    }
    return 0;
  }
  std::string folder;
  std::string argsFile;
  std::string askedFile;
  std::string pidFile;
  std::string goFile;
};

}  // namespace

TEST_F(DialogTest, SaveDialogAsksZenityAndAnswersThePath) {
  CNewFileSelector* selector = CNewFileSelector::create(nullptr, CNewFileSelector::kSelectSaveFile);
  selector->setTitle("Save preset");
  selector->setInitialDirectory("/presets/");
  selector->setDefaultSaveName("mine.zel");
  selector->setDefaultExtension(CFileExtension("Ondex preset", "zel"));
  ASSERT_TRUE(run(selector, "/presets/new one.zel"));
  ASSERT_EQ(selector->getNumSelectedFiles(), 1);
  EXPECT_STREQ(selector->getSelectedFile(0), "/presets/new one.zel");
  EXPECT_EQ(arguments(),
            "[--file-selection]\n[--title=Save preset]\n[--save]\n[--confirm-overwrite]\n"
            "[--separator=\n]\n[--filename=/presets/mine.zel]\n"
            "[--file-filter=Ondex preset | *.zel]\n");
  selector->forget();
}

TEST_F(DialogTest, SavedNamesGetTheExtensionAndAnExistingFileIsReplacedOnlyWhenConfirmed) {
  CNewFileSelector* selector = CNewFileSelector::create(nullptr, CNewFileSelector::kSelectSaveFile);
  selector->setTitle("Save preset");
  selector->setDefaultExtension(CFileExtension("Zel Preset", "zel"));
  const auto chosen = [&](const std::string& typed) -> std::string {
    if (!run(selector, (folder + "/" + typed).c_str())) {
      return "(cancelled)";
    }
    return selector->getSelectedFile(0) + folder.size() + 1;
  };
  EXPECT_EQ(chosen("mypreset"), "mypreset.zel");
  EXPECT_EQ(chosen("take.v2"), "take.v2.zel");
  EXPECT_EQ(chosen("Loud.ZEL"), "Loud.ZEL");  // zenity itself asked about a typed name
  EXPECT_EQ(asked(), "");

  const std::string taken = folder + "/taken.zel";
  std::ofstream(taken) << "kept";
  setenv("ONDEX_TEST_REPLACE", "no", 1);
  EXPECT_EQ(chosen("taken"), "(cancelled)");
  EXPECT_EQ(selector->getNumSelectedFiles(), 0);
  EXPECT_EQ(asked(),
            "[--question]\n[--no-markup]\n[--title=Save preset]\n"
            "[--text=A file named \"taken.zel\" already exists. Do you want to replace it?]\n");
  setenv("ONDEX_TEST_REPLACE", "yes", 1);
  EXPECT_EQ(chosen("taken"), "taken.zel");
  EXPECT_NE(asked(), "");
  selector->forget();
  std::remove(taken.c_str());

  // Open dialogs take the name as chosen.
  selector = CNewFileSelector::create(nullptr, CNewFileSelector::kSelectFile);
  selector->addFileExtension(CFileExtension("Zel Preset", "zel"));
  EXPECT_EQ(chosen("plain"), "plain");
  selector->forget();
}

TEST_F(DialogTest, OpenDialogStartsInTheFolderOfTheLastChoice) {
  CNewFileSelector* selector = CNewFileSelector::create(nullptr, CNewFileSelector::kSelectFile);
  selector->addFileExtension(CFileExtension("Ondex bank", "zeb"));
  ASSERT_TRUE(run(selector, "/banks/deep/first.zeb"));
  selector->setDefaultSaveName("next.zeb");
  ASSERT_TRUE(run(selector, "/banks/deep/second.zeb"));
  const std::string args = arguments();
  EXPECT_EQ(args.find("[--save]"), std::string::npos);
  EXPECT_NE(args.find("[--filename=/banks/deep/next.zeb]"), std::string::npos) << args;
  EXPECT_NE(args.find("[--file-filter=Ondex bank | *.zeb]"), std::string::npos) << args;
  selector->forget();
}

TEST_F(DialogTest, CancelAndTwoPathsAndAWindowKeptPainted) {
  std::vector<std::string> windowLog;
  platform::setFrameWindowFactory([&](CFrame&, void*) -> platform::FrameWindow* {
    return new guitest::RecordingWindow(windowLog);
  });
  int parent = 0;
  CFrame* frame = new CFrame(CRect(0, 0, 10, 10), &parent, nullptr);
  CNewFileSelector* selector = CNewFileSelector::create(frame, CNewFileSelector::kSelectFile);
  EXPECT_FALSE(run(selector, "cancel"));
  EXPECT_EQ(selector->getNumSelectedFiles(), 0);
  EXPECT_NE(std::find(windowLog.begin(), windowLog.end(), "drain"), windowLog.end());
  // Two paths from a single-file dialog are reported as they came: the
  // caller treats them as no choice.
  EXPECT_TRUE(run(selector, "two"));
  EXPECT_EQ(selector->getNumSelectedFiles(), 2);
  selector->forget();
  frame->close();
  platform::setFrameWindowFactory(nullptr);
}

// The dialog's process runs beside the frame's idle passes, which return while
// it waits and deliver its answer when it ends; a frame closed first ends the
// process (killed and reaped) and its answer is never delivered.
TEST_F(DialogTest, DialogRunsBesideTheIdlePassesAndEndsWithItsFrame) {
  setenv("ONDEX_TEST_ANSWER", "wait", 1);
  CFrame* frame = new CFrame(CRect(0, 0, 10, 10), nullptr);
  std::vector<std::string> answers;
  const auto ask = [&] {
    CNewFileSelector* selector = CNewFileSelector::create(frame, CNewFileSelector::kSelectFile);
    const bool open = selector->run([&](CNewFileSelector* ended) {
      answers.emplace_back(ended->getNumSelectedFiles() == 1 ? ended->getSelectedFile(0) : "");
    });
    selector->forget();
    return open;
  };
  ASSERT_TRUE(ask());
  const pid_t first = idleUntilStarted(*frame, pidFile);
  ASSERT_GT(first, 0);
  for (int i = 0; i < 5; ++i) {
    frame->idle();
  }
  EXPECT_TRUE(answers.empty());
  EXPECT_EQ(frame->getNbIdleWork(), 1);
  std::ofstream(goFile) << "";
  for (int i = 0; i < 1000 && answers.empty(); ++i) {
    frame->idle();
    usleep(2000);
  }
  EXPECT_EQ(answers, (std::vector<std::string>{"/tmp/waited.zel"}));
  EXPECT_EQ(frame->getNbIdleWork(), 0);
  EXPECT_EQ(kill(first, 0), -1);  // reaped: not even a zombie is left

  std::remove(goFile.c_str());
  std::remove(pidFile.c_str());
  ASSERT_TRUE(ask());
  const pid_t second = idleUntilStarted(*frame, pidFile);
  ASSERT_GT(second, 0);
  frame->close();
  errno = 0;
  EXPECT_EQ(kill(second, 0), -1);
  EXPECT_EQ(errno, ESRCH);
  EXPECT_EQ(answers.size(), 1u);
}
