// The preset panel's file actions: a dialog, then the whole file read into a
// record or a record written as the whole file, once the dialog has ended. Files are opened by the
// full path chosen; the remembered folder and name only seed the next dialog.
#include "gui/cfileselector.h"
#include "gui/cframe.h"
#include "platform/fileaccess.h"
#include "presets/presetsystemeditor.h"

void CPresetSystemEditor::loadFile(FileKind kind, bool reversed) {
  const FileKindInfo& info = fileKindInfo(kind);
  chooseFile(CNewFileSelector::kSelectFile, reversed ? info.reversedLoadTitle : info.loadTitle,
             kind, [this, kind, reversed](const std::string& path) {
               const FileKindInfo& chosenKind = fileKindInfo(kind);
               unsigned char record[kBankRecordSize] = {};  // a short file leaves the rest zero
               platform::readFileStart(path, record, chosenKind.recordSize);
               readRecord(kind, record, reversed);
               if (frame != nullptr) {
                 frame->invalid();
               }
             });
}

void CPresetSystemEditor::saveFile(FileKind kind) {
  const FileKindInfo& info = fileKindInfo(kind);
  chooseFile(CNewFileSelector::kSelectSaveFile, info.saveTitle, kind,
             [this, kind](const std::string& path) {
               // The record as it is when the name was chosen, not when asked.
               unsigned char record[kBankRecordSize] = {};
               writeRecord(kind, record);
               platform::replaceFile(path, record, fileKindInfo(kind).recordSize);
             });
}

// The dialog does not hold the host's thread: `chosen` runs at the idle pass
// that sees it end (at once where the dialog is modal), and not at all when
// it is cancelled or the window closes first. One dialog at a time.
void CPresetSystemEditor::chooseFile(CNewFileSelector::Style style, const char* title,
                                     FileKind kind,
                                     std::function<void(const std::string& path)> chosen) {
  if (frame == nullptr || fileDialogOpen) {
    return;
  }
  CNewFileSelector* selector = CNewFileSelector::create(frame, style);
  if (selector == nullptr) {
    return;
  }
  const FileKindInfo& info = fileKindInfo(kind);
  const CFileExtension type(info.description, info.extension);
  selector->setTitle(title);
  selector->setInitialDirectory(locations.directory());
  if (style == CNewFileSelector::kSelectSaveFile) {
    selector->setDefaultSaveName(locations.name(kind));
    selector->setDefaultExtension(type);
  } else {
    selector->addFileExtension(type);
    selector->setAllowMultiFileSelection(false);
  }
  fileDialogOpen = true;
  selector->run([this, kind, chosen = std::move(chosen)](CNewFileSelector* ended) {
    fileDialogOpen = false;
    if (ended->getNumSelectedFiles() != 1) {
      return;
    }
    const std::string path = ended->getSelectedFile(0);
    if (!path.empty()) {
      locations.remember(path, kind);
      chosen(path);
    }
  });
  selector->forget();  // a dialog still open is held by the frame
}
