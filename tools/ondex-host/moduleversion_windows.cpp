// The version resource through the system's own reader, as Explorer shows it.
#include <windows.h>

#include <cstdio>
#include <string>
#include <vector>

#include "system.h"

namespace {

// The string table of the resource's first language, as Explorer picks it.
std::string stringTable(const std::vector<char>& info) {
  void* value = nullptr;
  UINT length = 0;
  char table[48] = "\\StringFileInfo\\040904B0\\";
  if (VerQueryValueA(info.data(), "\\VarFileInfo\\Translation", &value, &length) != 0 &&
      length >= 2 * sizeof(WORD)) {
    const auto* pair = static_cast<const WORD*>(value);
    std::snprintf(table, sizeof table, "\\StringFileInfo\\%04X%04X\\", pair[0], pair[1]);
  }
  return table;
}

std::string stringValue(const std::vector<char>& info, const std::string& table, const char* name) {
  void* value = nullptr;
  UINT length = 0;
  if (VerQueryValueA(info.data(), (table + name).c_str(), &value, &length) == 0 || length == 0) {
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
  const std::string table = stringTable(info);
  std::string product = stringValue(info, table, "ProductName");
  const std::string productVersion = stringValue(info, table, "ProductVersion");
  if (!productVersion.empty()) {
    product += (product.empty() ? "" : " ") + productVersion;
  }
  const std::string company = stringValue(info, table, "CompanyName");
  return (product.empty() ? "" : product + " ") + "(file " + fileVersion + ")" +
         (company.empty() ? "" : ", " + company);
}
