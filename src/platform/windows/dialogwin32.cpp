// The file selector on Windows: the common open and save dialogs, owned by the
// host's parent window, which is disabled while they are shown.
#include <windows.h>
// after windows.h, which it needs
#include <commdlg.h>

#include <algorithm>
#include <new>
#include <string>
#include <vector>

#include "gui/cfileselector.h"
#include "gui/cframe.h"
#include "platform/windows/utf16.h"

namespace {

using platform::narrow;
using platform::widen;

class CWin32FileSelector : public CNewFileSelector {
 public:
  CWin32FileSelector(CFrame* parent, Style style) : CNewFileSelector(parent, style) {}

 protected:
  bool runModalInternal() override {
    if (getStyle() == kSelectDirectory) {
      return false;  // no folder choice is asked of this dialog
    }
    // The filter: "description\0*.ext\0\0".
    std::wstring filter;
    const CFileExtension* ext = getDefaultExtension();
    if (ext == nullptr && !getExtensions().empty()) {
      ext = &getExtensions().front();
    }
    std::wstring extension;
    if (ext != nullptr) {
      extension = widen(ext->getExtension());
      filter = widen(ext->getDescription()) + L'\0' + L"*." + extension + L'\0';
    }
    filter += L'\0';
    std::vector<wchar_t> file(MAX_PATH * 4, L'\0');
    const std::wstring name = widen(getDefaultSaveName());
    name.copy(file.data(), std::min(name.size(), file.size() - 1));
    const std::wstring folder = widen(getInitialDirectory());
    const std::wstring title = widen(getTitle());

    OPENFILENAMEW dialog{};
    dialog.lStructSize = sizeof dialog;
    CFrame* frame = getParentFrame();
    dialog.hwndOwner = frame != nullptr ? static_cast<HWND>(frame->getSystemWindow()) : nullptr;
    dialog.lpstrFilter = ext != nullptr ? filter.c_str() : nullptr;
    dialog.lpstrFile = file.data();
    dialog.nMaxFile = DWORD(file.size());
    dialog.lpstrInitialDir = folder.empty() ? nullptr : folder.c_str();
    dialog.lpstrTitle = title.empty() ? nullptr : title.c_str();
    dialog.lpstrDefExt = extension.empty() ? nullptr : extension.c_str();
    dialog.Flags = OFN_EXPLORER | OFN_NOCHANGEDIR;
    BOOL chosen = FALSE;
    if (getStyle() == kSelectSaveFile) {
      dialog.Flags |= OFN_OVERWRITEPROMPT | OFN_PATHMUSTEXIST;
      chosen = GetSaveFileNameW(&dialog);
    } else {
      dialog.Flags |= OFN_FILEMUSTEXIST;
      chosen = GetOpenFileNameW(&dialog);
    }
    if (!chosen) {
      return false;
    }
    selected.push_back(narrow(file.data()));
    return !selected.back().empty();
  }
};

}  // namespace

namespace platform {

CNewFileSelector* createFileSelector(CFrame* parent, CNewFileSelector::Style style) {
  return new (std::nothrow) CWin32FileSelector(parent, style);
}

}  // namespace platform
