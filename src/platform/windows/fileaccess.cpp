#include "platform/fileaccess.h"

#include <windows.h>

#include <cstdio>
#include <string>

#include "platform/temporaryname.h"
#include "platform/windows/utf16.h"

namespace platform {

namespace {

bool writeAll(HANDLE file, const void* data, size_t size) {
  const auto* bytes = static_cast<const unsigned char*>(data);
  while (size > 0) {
    const DWORD chunk = size > 0x40000000 ? 0x40000000 : static_cast<DWORD>(size);
    DWORD written = 0;
    if (!WriteFile(file, bytes, chunk, &written, nullptr) || written == 0) {
      return false;
    }
    bytes += written;
    size -= written;
  }
  return true;
}

// A new file beside `target`.
HANDLE createTemporary(const std::wstring& target, std::wstring& name) {
  for (int attempt = 0; attempt < kTemporaryAttempts; ++attempt) {
    name = target + widen(temporarySuffix(GetCurrentProcessId()));
    HANDLE file = CreateFileW(name.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file != INVALID_HANDLE_VALUE || GetLastError() != ERROR_FILE_EXISTS) {
      return file;
    }
  }
  return INVALID_HANDLE_VALUE;
}

// A full path in the form that lifts the 260-character limit of the file calls.
std::wstring systemPath(const std::string& path) {
  std::wstring wide = widen(path);
  const bool drivePath =
      wide.size() > 2 && wide[1] == L':' && (wide[2] == L'\\' || wide[2] == L'/');
  if (drivePath && wide.size() >= MAX_PATH) {
    for (wchar_t& c : wide) {
      c = c == L'/' ? L'\\' : c;
    }
    wide.insert(0, L"\\\\?\\");
  }
  return wide;
}

}  // namespace

std::FILE* openForReading(const std::string& path) {
  return _wfopen(systemPath(path).c_str(), L"rb");
}

bool replaceFile(const std::string& path, const void* data, size_t size) {
  const std::wstring target = systemPath(path);
  const DWORD attributes = GetFileAttributesW(target.c_str());
  if (attributes != INVALID_FILE_ATTRIBUTES &&
      (attributes & (FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_READONLY)) != 0) {
    return false;
  }
  std::wstring temporary;
  HANDLE file = createTemporary(target, temporary);
  if (file == INVALID_HANDLE_VALUE) {
    return false;
  }
  bool ok = writeAll(file, data, size) && FlushFileBuffers(file);
  ok = CloseHandle(file) && ok;
  ok = ok && MoveFileExW(temporary.c_str(), target.c_str(),
                         MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH);
  if (!ok) {
    DeleteFileW(temporary.c_str());
  }
  return ok;
}

std::string workingDirectory() {
  const DWORD length = GetCurrentDirectoryW(0, nullptr);
  if (length == 0) {
    return {};
  }
  std::wstring folder(length, L'\0');
  folder.resize(GetCurrentDirectoryW(length, folder.data()));
  if (folder.empty()) {
    return {};
  }
  if (folder.back() != L'\\' && folder.back() != L'/') {
    folder += L'\\';
  }
  return narrow(folder);
}

size_t fileNameStart(std::string_view path) {
  const size_t separator = path.find_last_of("\\/:");
  return separator == std::string_view::npos ? 0 : separator + 1;
}

}  // namespace platform
