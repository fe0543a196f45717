#include "sandbox.h"

#include <cstdlib>
#include <fstream>
#include <random>
#include <set>
#include <sstream>

#ifdef _WIN32
#include <windows.h>
#endif

namespace fs = std::filesystem;

fs::path fromUtf8(const std::string& text) {
  return fs::path(std::u8string(text.begin(), text.end()));
}

std::string utf8(const fs::path& path) {
  const std::u8string text = path.u8string();
  return {text.begin(), text.end()};
}

std::string readAll(const std::string& utf8Path) {
  std::ifstream in(fromUtf8(utf8Path), std::ios::binary);
  std::ostringstream bytes;
  bytes << in.rdbuf();
  return bytes.str();
}

void writeAll(const std::string& utf8Path, const std::string& bytes) {
  std::ofstream(fromUtf8(utf8Path), std::ios::binary) << bytes;
}

Sandbox::Sandbox() {
  std::random_device random;
  root = fs::temp_directory_path() / ("ondex-test-" + std::to_string(random()));
  fs::create_directories(root);
#ifdef _WIN32
  clearStore();
#else
  if (const char* old = std::getenv("XDG_CONFIG_HOME")) {
    hadConfigHome = true;
    savedConfigHome = old;
  }
  setenv("XDG_CONFIG_HOME", (root / "config").c_str(), 1);
#endif
}

Sandbox::~Sandbox() {
#ifdef _WIN32
  clearStore();
#else
  if (hadConfigHome) {
    setenv("XDG_CONFIG_HOME", savedConfigHome.c_str(), 1);
  } else {
    unsetenv("XDG_CONFIG_HOME");
  }
#endif
  std::error_code ignored;
  for (const auto& entry : fs::recursive_directory_iterator(root, ignored)) {
    fs::permissions(entry.path(), fs::perms::owner_all, fs::perm_options::add, ignored);
  }
  fs::remove_all(root, ignored);
}

void Sandbox::clearStore() {
#ifdef _WIN32
  RegDeleteTreeW(HKEY_CURRENT_USER, L"SOFTWARE\\Zel-acoustics\\Ondex");
#endif
}

std::string Sandbox::path(const std::string& name) const { return utf8(root / fromUtf8(name)); }

std::string Sandbox::listing() const {
  std::set<std::string> names;
  for (const auto& entry : fs::directory_iterator(root)) {
    if (entry.is_regular_file()) {
      names.insert(utf8(entry.path().filename()));
    }
  }
  std::string text;
  for (const auto& name : names) {
    text += (text.empty() ? "" : " ") + name;
  }
  return text;
}
