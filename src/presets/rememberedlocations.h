// The folder and the file names last chosen in the preset panel's dialogs.
// They only seed the next dialog: files are always opened by the full path
// chosen, however long. Each is kept in 256 bytes of UTF-8 text.
#pragma once

#include <string>
#include <string_view>

#include "filekinds.h"

class RememberedLocations {
 public:
  static constexpr size_t kBufferSize = 257;

  // The chosen file's folder (with its separator) and name; a path without a
  // separator changes neither.
  void remember(std::string_view path, FileKind kind);
  // A folder that does not fit becomes the longest parent folder that does; a
  // name that does not fit is cut, never inside a character.
  void setDirectory(std::string_view folder);
  void setName(FileKind kind, std::string_view name);

  const char* directory() const { return folder; }
  const char* name(FileKind kind) const { return names[static_cast<int>(kind)]; }
  bool operator==(const RememberedLocations& other) const;

 private:
  char folder[kBufferSize] = {};
  char names[3][kBufferSize] = {};
};
