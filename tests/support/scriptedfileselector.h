// A file selector for tests: it keeps what the caller asked for and answers
// with the next scripted choice (paths, or none for a cancelled dialog). It
// takes the platform dialog's place through the selector factory.
#pragma once

#include <string>
#include <vector>

#include "gui/cfileselector.h"

class CScriptedFileSelector : public CNewFileSelector {
 public:
  struct Request {
    Style style;
    std::string title;
    std::string initialDirectory;
    std::string defaultSaveName;
    std::string defaultExtension;
    std::vector<CFileExtension> extensions;
    bool allowMultiSelection;
  };
  // Installs the scripted selector as the factory, with an empty script.
  static void install();
  // Restores the selector that never chooses.
  static void uninstall();
  // The next dialog answers these paths; an empty list is a cancel.
  static void queueAnswer(std::vector<std::string> paths);
  // What each dialog run so far was asked, oldest first.
  static const std::vector<Request>& requests();

 protected:
  CScriptedFileSelector(CFrame* parent, Style style) : CNewFileSelector(parent, style) {}
  bool runModalInternal() override;
};
