// A test's own folder and per-user store: a fresh temporary folder, the store
// pointed into it (XDG_CONFIG_HOME on Linux) or emptied (the registry key of
// the test's Wine prefix), and both cleared again at the end.
#pragma once

#include <filesystem>
#include <string>

class Sandbox {
 public:
  Sandbox();
  ~Sandbox();
  Sandbox(const Sandbox&) = delete;
  Sandbox& operator=(const Sandbox&) = delete;

  const std::filesystem::path& folder() const { return root; }
  // A path in the folder, as UTF-8 text.
  std::string path(const std::string& name) const;
  // Every file in the folder (not in the store), by name.
  std::string listing() const;

  static void clearStore();

 private:
  std::filesystem::path root;
  std::string savedConfigHome;
  bool hadConfigHome = false;
};

std::string utf8(const std::filesystem::path& path);
std::filesystem::path fromUtf8(const std::string& text);
std::string readAll(const std::string& utf8Path);
void writeAll(const std::string& utf8Path, const std::string& bytes);
