#include "scriptedfileselector.h"

#include <deque>
#include <new>
#include <utility>

namespace {

std::deque<std::vector<std::string>>& script() {
  static std::deque<std::vector<std::string>> answers;
  return answers;
}

std::vector<CScriptedFileSelector::Request>& requestLog() {
  static std::vector<CScriptedFileSelector::Request> log;
  return log;
}

}  // namespace

void CScriptedFileSelector::install() {
  script().clear();
  requestLog().clear();
  setFactory([](CFrame* parent, Style style) -> CNewFileSelector* {
    return new (std::nothrow) CScriptedFileSelector(parent, style);
  });
}

void CScriptedFileSelector::uninstall() {
  setFactory(nullptr);
  script().clear();
  requestLog().clear();
}

void CScriptedFileSelector::queueAnswer(std::vector<std::string> paths) {
  script().push_back(std::move(paths));
}

const std::vector<CScriptedFileSelector::Request>& CScriptedFileSelector::requests() {
  return requestLog();
}

bool CScriptedFileSelector::runModalInternal() {
  const CFileExtension* def = getDefaultExtension();
  requestLog().push_back({getStyle(), getTitle(), getInitialDirectory(), getDefaultSaveName(),
                          def != nullptr ? def->getExtension() : "", getExtensions(),
                          getAllowMultiFileSelection()});
  if (script().empty()) {
    return false;
  }
  selected = std::move(script().front());
  script().pop_front();
  return !selected.empty();
}
