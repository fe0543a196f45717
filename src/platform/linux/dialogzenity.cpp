// The file selector on Linux: zenity, or kdialog where zenity is missing, run
// as a child process that the frame's idle polls (or, for runModal, that is
// waited for). The environment variable ONDEX_FILE_DIALOG names a program to
// run instead of zenity, with zenity's arguments (tests script the answer that
// way). A saved
// name gets the file type's extension, as the Windows dialog gives it, so the
// load dialog's filter shows the file; the user is asked before a file that
// only the added extension names is replaced.
#include <poll.h>
#include <strings.h>
#include <unistd.h>

#include <cstdlib>
#include <memory>
#include <new>
#include <string>
#include <vector>

#include "gui/cfileselector.h"
#include "gui/cframe.h"
#include "platform/linux/dialogprocess.h"

namespace {

// The folder of the last chosen file: the next dialog starts there when the
// caller names none.
std::string& rememberedFolder() {
  static std::string folder;
  return folder;
}

std::string folderOf(const std::string& path) {
  const size_t slash = path.rfind('/');
  return slash == std::string::npos ? std::string() : path.substr(0, slash);
}

std::vector<std::string> splitLines(const std::string& text) {
  std::vector<std::string> lines;
  size_t start = 0;
  while (start < text.size()) {
    size_t end = text.find('\n', start);
    if (end == std::string::npos) {
      end = text.size();
    }
    if (end > start) {
      lines.push_back(text.substr(start, end - start));
    }
    start = end + 1;
  }
  return lines;
}

bool endsWithExtension(const std::string& path, const CFileExtension& type) {
  const std::string dotted = std::string(".") + type.getExtension();
  return path.size() > dotted.size() &&
         strcasecmp(path.c_str() + path.size() - dotted.size(), dotted.c_str()) == 0;
}

class CZenityFileSelector : public CNewFileSelector {
 public:
  CZenityFileSelector(CFrame* parent, Style style) : CNewFileSelector(parent, style) {}

 protected:
  // The dialog runs as a child process in both forms; the modal one waits
  // for it here, keeping the editor's window painted.
  bool runModalInternal() override {
    if (!startInternal()) {
      return false;
    }
    for (;;) {
      if (getParentFrame() != nullptr) {
        getParentFrame()->drainWindowEvents();
      }
      if (pollInternal()) {
        return !selected.empty();
      }
      pollfd fd{process->descriptor(), POLLIN, 0};
      ::poll(&fd, fd.fd >= 0 ? 1 : 0, 20);
    }
  }

  bool startInternal() override {
    const char* scripted = std::getenv("ONDEX_FILE_DIALOG");
    program = scripted != nullptr && *scripted != '\0' ? scripted : "zenity";
    asking = false;
    process = std::make_unique<platform::DialogProcess>();
    if (process->start(zenityArguments())) {
      return true;
    }
    program = "kdialog";
    return scripted == nullptr && process->start(kdialogArguments());
  }

  bool pollInternal() override {
    if (!process->poll()) {
      return false;
    }
    const platform::DialogOutcome outcome = process->outcome();
    if (asking) {
      // The question about replacing a file: yes keeps the choice.
      if (outcome.exitStatus != 0) {
        selected.clear();
      }
    } else if (outcome.exitStatus == 0) {
      selected = splitLines(outcome.output);
      if (selected.size() == 1 && !giveExtension(selected.front())) {
        return !startQuestion(selected.front());
      }
    }
    if (!selected.empty()) {
      rememberedFolder() = folderOf(selected.front());
    }
    return true;
  }

 private:
  // Adds the file type's extension to a saved name without it; false when
  // the file so named exists, so the user is asked first. The dialog itself
  // asked about a name typed with its extension.
  bool giveExtension(std::string& path) const {
    const CFileExtension* ext = filter();
    if (getStyle() != kSelectSaveFile || ext == nullptr || *ext->getExtension() == '\0' ||
        endsWithExtension(path, *ext)) {
      return true;
    }
    path += std::string(".") + ext->getExtension();
    return access(path.c_str(), F_OK) != 0;
  }

  // Asks whether to replace the file; false (the choice dropped) when the
  // question cannot be asked.
  bool startQuestion(const std::string& path) {
    const std::string text = "A file named \"" + path.substr(path.rfind('/') + 1) +
                             "\" already exists. Do you want to replace it?";
    std::vector<std::string> args{program};
    if (program == "kdialog") {
      args.insert(args.end(), {"--title", getTitle(), "--warningyesno", text});
    } else {
      // No markup: a file name may hold '&' or '<'.
      args.insert(args.end(),
                  {"--question", "--no-markup", "--title=" + getTitle(), "--text=" + text});
    }
    asking = true;
    process = std::make_unique<platform::DialogProcess>();
    if (!process->start(args)) {
      selected.clear();
      return false;
    }
    return true;
  }

  std::string startFolder() const {
    return getInitialDirectory().empty() ? rememberedFolder() : getInitialDirectory();
  }
  std::string startPath() const {
    std::string folder = startFolder();
    if (!folder.empty() && folder.back() != '/') {
      folder += '/';
    }
    return folder + getDefaultSaveName();
  }
  const CFileExtension* filter() const {
    if (const CFileExtension* def = getDefaultExtension()) {
      return def;
    }
    return getExtensions().empty() ? nullptr : &getExtensions().front();
  }

  std::vector<std::string> zenityArguments() const {
    std::vector<std::string> args{program, "--file-selection"};
    if (!getTitle().empty()) {
      args.push_back("--title=" + getTitle());
    }
    if (getStyle() == kSelectSaveFile) {
      args.emplace_back("--save");
      args.emplace_back("--confirm-overwrite");
    } else if (getStyle() == kSelectDirectory) {
      args.emplace_back("--directory");
    }
    if (getAllowMultiFileSelection() && getStyle() == kSelectFile) {
      args.emplace_back("--multiple");
    }
    args.emplace_back("--separator=\n");
    const std::string start = startPath();
    if (!start.empty()) {
      args.push_back("--filename=" + start);
    }
    if (const CFileExtension* ext = filter(); ext != nullptr && getStyle() != kSelectDirectory) {
      args.push_back(std::string("--file-filter=") + ext->getDescription() + " | *." +
                     ext->getExtension());
    }
    return args;
  }

  std::vector<std::string> kdialogArguments() const {
    std::vector<std::string> args{"kdialog"};
    if (!getTitle().empty()) {
      args.emplace_back("--title");
      args.push_back(getTitle());
    }
    if (getStyle() == kSelectSaveFile) {
      args.emplace_back("--getsavefilename");
    } else if (getStyle() == kSelectDirectory) {
      args.emplace_back("--getexistingdirectory");
    } else {
      args.emplace_back("--getopenfilename");
    }
    const std::string start = startPath();
    args.push_back(start.empty() ? "." : start);
    if (const CFileExtension* ext = filter(); ext != nullptr && getStyle() != kSelectDirectory) {
      args.push_back(std::string("*.") + ext->getExtension() + "|" + ext->getDescription());
    }
    return args;
  }

  std::string program;  // the dialog program that answered: it also asks
  std::unique_ptr<platform::DialogProcess> process;
  bool asking = false;  // the process asks about replacing a file
};

}  // namespace

namespace platform {

CNewFileSelector* createFileSelector(CFrame* parent, CNewFileSelector::Style style) {
  return new (std::nothrow) CZenityFileSelector(parent, style);
}

}  // namespace platform
