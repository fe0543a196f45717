#include "platform/settingsstore.h"

#include <windows.h>

#include <algorithm>
#include <vector>

#include "common/identity.h"
#include "platform/windows/utf16.h"

namespace platform::settings {

namespace {

// SOFTWARE\<vendor>\<store folder>
const std::wstring& keyPath() {
  static const std::wstring path =
      L"SOFTWARE\\" + widen(kOndexVendor) + L"\\" + widen(kOndexStoreFolder);
  return path;
}

class Key {
 public:
  explicit Key(REGSAM access, bool create = false) {
    const wchar_t* path = keyPath().c_str();
    const LONG result = create ? RegCreateKeyExW(HKEY_CURRENT_USER, path, 0, nullptr, 0, access,
                                                 nullptr, &key, nullptr)
                               : RegOpenKeyExW(HKEY_CURRENT_USER, path, 0, access, &key);
    if (result != ERROR_SUCCESS) {
      key = nullptr;
    }
  }
  ~Key() {
    if (key != nullptr) {
      RegCloseKey(key);
    }
  }
  Key(const Key&) = delete;
  Key& operator=(const Key&) = delete;
  HKEY get() const { return key; }

 private:
  HKEY key = nullptr;
};

bool store(const char* name, DWORD type, const void* data, size_t size) {
  Key key(KEY_WRITE, true);
  return key.get() != nullptr &&
         RegSetValueExW(key.get(), widen(name).c_str(), 0, type, static_cast<const BYTE*>(data),
                        static_cast<DWORD>(size)) == ERROR_SUCCESS;
}

// The whole value and its type, when it is at most `limit` bytes.
bool load(const char* name, std::vector<BYTE>& bytes, DWORD& type, size_t limit) {
  Key key(KEY_QUERY_VALUE);
  if (key.get() == nullptr) {
    return false;
  }
  const std::wstring wideName = widen(name);
  DWORD size = 0;
  if (RegQueryValueExW(key.get(), wideName.c_str(), nullptr, &type, nullptr, &size) !=
          ERROR_SUCCESS ||
      size > limit) {
    return false;
  }
  bytes.resize(size);
  if (RegQueryValueExW(key.get(), wideName.c_str(), nullptr, &type, bytes.data(), &size) !=
          ERROR_SUCCESS ||
      size > bytes.size()) {
    return false;  // changed meanwhile
  }
  bytes.resize(size);
  return true;
}

}  // namespace

bool storeBinary(const char* name, const void* data, size_t size) {
  return store(name, REG_BINARY, data, size);
}

bool loadBinary(const char* name, void* data, size_t size) {
  std::vector<BYTE> bytes;
  DWORD type = 0;
  if (!load(name, bytes, type, size)) {
    return false;
  }
  std::copy(bytes.begin(), bytes.end(), static_cast<BYTE*>(data));
  return true;
}

bool storeText(const char* name, const std::string& text) {
  const std::wstring wide = widen(text);
  return store(name, REG_SZ, wide.c_str(), (wide.size() + 1) * sizeof(wchar_t));
}

std::string loadText(const char* name) {
  constexpr size_t kLongestText = 1 << 16;
  std::vector<BYTE> bytes;
  DWORD type = 0;
  if (!load(name, bytes, type, kLongestText) || type != REG_SZ) {
    return {};
  }
  std::wstring wide(bytes.size() / sizeof(wchar_t), L'\0');
  std::copy(bytes.begin(), bytes.begin() + static_cast<long>(wide.size() * sizeof(wchar_t)),
            reinterpret_cast<BYTE*>(wide.data()));  // NOLINT: the registry's UTF-16 bytes
  return narrow(wide.substr(0, wide.find(L'\0')));
}

bool remove(const char* name) {
  Key key(KEY_SET_VALUE);
  if (key.get() == nullptr) {
    return true;
  }
  const LONG result = RegDeleteValueW(key.get(), widen(name).c_str());
  return result == ERROR_SUCCESS || result == ERROR_FILE_NOT_FOUND;
}

}  // namespace platform::settings
