// The version resource through the system's own reader, as Explorer shows it.
#include <windows.h>

#include <string>
#include <vector>

#include "system.h"

namespace {

std::string stringValue(const std::vector<char>& info, const char* name) {
  const std::string query = std::string("\\StringFileInfo\\040904B0\\") + name;
  void* value = nullptr;
  UINT length = 0;
  if (VerQueryValueA(info.data(), query.c_str(), &value, &length) == 0 || length == 0) {
    return "";
  }
  return std::string(static_cast<const char*>(value));
}

}  // namespace

std::string moduleVersionInfo(const std::string& path) {
  DWORD ignored = 0;
  const DWORD size = GetFileVersionInfoSizeA(path.c_str(), &ignored);
  if (size == 0) {
    return "";
  }
  std::vector<char> info(size);
  void* fixedValue = nullptr;
  UINT length = 0;
  if (GetFileVersionInfoA(path.c_str(), 0, size, info.data()) == 0 ||
      VerQueryValueA(info.data(), "\\", &fixedValue, &length) == 0 ||
      length < sizeof(VS_FIXEDFILEINFO)) {
    return "";
  }
  const auto* fixed = static_cast<const VS_FIXEDFILEINFO*>(fixedValue);
  const std::string fileVersion = std::to_string(HIWORD(fixed->dwFileVersionMS)) + "." +
                                  std::to_string(LOWORD(fixed->dwFileVersionMS)) + "." +
                                  std::to_string(HIWORD(fixed->dwFileVersionLS)) + "." +
                                  std::to_string(LOWORD(fixed->dwFileVersionLS));
  return stringValue(info, "ProductName") + " " + stringValue(info, "ProductVersion") + " (file " +
         fileVersion + "), " + stringValue(info, "CompanyName");
}
