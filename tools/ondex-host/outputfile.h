// An output that appears whole or not at all: everything is written to a
// temporary file beside the final one, which is renamed into place at the end.
#pragma once

#include <string>

class OutputFile {
 public:
  // Checks at once that the folder takes a new file; throws Failure if not.
  explicit OutputFile(std::string finalPath);
  ~OutputFile();  // removes the temporary file unless committed
  OutputFile(const OutputFile&) = delete;
  OutputFile& operator=(const OutputFile&) = delete;

  const std::string& temporaryPath() const { return temporary; }
  const std::string& path() const { return finalPath; }
  // Moves the finished temporary file into place; throws Failure.
  void commit();

 private:
  std::string finalPath;
  std::string temporary;
  bool committed = false;
};
