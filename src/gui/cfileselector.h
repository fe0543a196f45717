// The file selector interface: open or save, title, initial directory, default
// file name and extension, file types, single or multiple selection, run modal,
// the chosen paths. The platform provides the dialog; a factory installed in
// its place (tests install a scripted one) provides the selectors instead.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "gui/guitypes.h"

class CFrame;

class CFileExtension {
 public:
  CFileExtension(const char* description, const char* extension, const char* mimeType = nullptr,
                 int32_t macType = 0)
      : description(description != nullptr ? description : ""),
        extension(extension != nullptr ? extension : ""),
        mimeType(mimeType != nullptr ? mimeType : ""),
        macType(macType) {}
  const char* getDescription() const { return description.c_str(); }
  const char* getExtension() const { return extension.c_str(); }
  const char* getMimeType() const { return mimeType.c_str(); }
  int32_t getMacType() const { return macType; }
  bool operator==(const CFileExtension& o) const {
    return extension == o.extension && description == o.description;
  }

 private:
  std::string description;
  std::string extension;
  std::string mimeType;
  int32_t macType;
};

class CNewFileSelector : public CBaseObject {
 public:
  enum Style { kSelectFile, kSelectSaveFile, kSelectDirectory };

  // A selector of the installed factory's kind, or the platform's dialog.
  static CNewFileSelector* create(CFrame* parent = nullptr, Style style = kSelectFile);
  using Factory = std::function<CNewFileSelector*(CFrame* parent, Style style)>;
  static void setFactory(Factory factory);

  void setTitle(const char* text) { title = text != nullptr ? text : ""; }
  void setInitialDirectory(const char* path) { initialDirectory = path != nullptr ? path : ""; }
  void setDefaultSaveName(const char* name) { defaultSaveName = name != nullptr ? name : ""; }
  void setDefaultExtension(const CFileExtension& extension);
  void addFileExtension(const CFileExtension& extension);
  void setAllowMultiFileSelection(bool state) { allowMultiSelection = state; }

  // Shows the dialog and waits; true when the user chose something. Not for
  // the editor's event handling, which must never hold the host's thread.
  bool runModal();
  // Shows the dialog without waiting for it: `done` gets the selector when
  // the dialog ends (no paths when it was cancelled or failed). A dialog that
  // ends later (Linux: a child process) is polled at the parent frame's idle
  // passes, and a frame closed first ends it without calling `done`. Where
  // the platform's dialog runs its own message loop (Windows), or without a
  // parent frame, it runs modal and `done` is called before this returns.
  // True while the dialog is still open, false when it has ended already.
  using Callback = std::function<void(CNewFileSelector* selector)>;
  bool run(Callback done);
  int32_t getNumSelectedFiles() const { return int32_t(selected.size()); }
  const char* getSelectedFile(uint32_t index) const;

  Style getStyle() const { return style; }
  CFrame* getParentFrame() const { return parent; }
  const std::string& getTitle() const { return title; }
  const std::string& getInitialDirectory() const { return initialDirectory; }
  const std::string& getDefaultSaveName() const { return defaultSaveName; }
  const CFileExtension* getDefaultExtension() const {
    return hasDefaultExtension ? &defaultExtension : nullptr;
  }
  const std::vector<CFileExtension>& getExtensions() const { return extensions; }
  bool getAllowMultiFileSelection() const { return allowMultiSelection; }

  bool isTypeOf(const char* type) const override;

 protected:
  CNewFileSelector(CFrame* parent, Style style) : parent(parent), style(style) {}
  // The dialog itself: fills `selected`, true when something was chosen.
  virtual bool runModalInternal() = 0;
  // A dialog that ends later: true when it started, after which pollInternal
  // says, without waiting, whether it has ended (`selected` filled). The
  // platforms and selectors without one keep these.
  virtual bool startInternal() { return false; }
  virtual bool pollInternal() { return true; }

  std::vector<std::string> selected;

 private:
  CFrame* parent;
  Style style;
  std::string title;
  std::string initialDirectory;
  std::string defaultSaveName;
  CFileExtension defaultExtension{"", ""};
  bool hasDefaultExtension = false;
  std::vector<CFileExtension> extensions;
  bool allowMultiSelection = false;
};

namespace platform {
// The platform's own dialog (src/platform/<os>/dialog*.cpp).
CNewFileSelector* createFileSelector(CFrame* parent, CNewFileSelector::Style style);
}  // namespace platform
