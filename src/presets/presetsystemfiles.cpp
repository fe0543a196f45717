// The preset panel's file actions: a dialog, then the whole file read into a
// record or a record written as the whole file. Files are opened by the full
// path chosen; the remembered folder and name only seed the next dialog.
#include "gui/cfileselector.h"
#include "gui/cframe.h"
#include "platform/fileaccess.h"
#include "presets/presetsystemeditor.h"

void CPresetSystemEditor::loadFile(FileKind kind, bool reversed) {
  const FileKindInfo& info = fileKindInfo(kind);
  std::string path;
  if (!chooseFile(CNewFileSelector::kSelectFile, reversed ? info.reversedLoadTitle : info.loadTitle,
                  kind, path)) {
    return;
  }
  unsigned char record[kBankRecordSize] = {};  // a short file leaves the rest zero
  platform::readFileStart(path, record, info.recordSize);
  readRecord(kind, record, reversed);
  if (frame != nullptr) {
    frame->invalid();
  }
}

void CPresetSystemEditor::saveFile(FileKind kind) {
  const FileKindInfo& info = fileKindInfo(kind);
  std::string path;
  if (!chooseFile(CNewFileSelector::kSelectSaveFile, info.saveTitle, kind, path)) {
    return;
  }
  unsigned char record[kBankRecordSize] = {};
  writeRecord(kind, record);
  platform::replaceFile(path, record, info.recordSize);
}

bool CPresetSystemEditor::chooseFile(CNewFileSelector::Style style, const char* title,
                                     FileKind kind, std::string& path) {
  if (frame == nullptr) {
    return false;
  }
  CNewFileSelector* selector = CNewFileSelector::create(frame, style);
  if (selector == nullptr) {
    return false;
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
  const bool chosen = selector->runModal() && selector->getNumSelectedFiles() == 1;
  if (chosen) {
    path = selector->getSelectedFile(0);
    locations.remember(path, kind);
  }
  selector->forget();
  return chosen && !path.empty();
}
