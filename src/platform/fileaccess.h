// Files of the user's own: read-only opening for loading, whole replacement
// for saving, and the platform's paths. Paths are UTF-8 everywhere inside the
// plug-in; the platform converts them at its system calls. The process's
// working directory belongs to the host and is never changed.
#pragma once

#include <cstddef>
#include <cstdio>
#include <string>
#include <string_view>

namespace platform {

// Reads at most `size` bytes from the start of the file into `data`, opening it
// for reading only. The number of bytes read, or -1 when it cannot be opened.
long readFileStart(const std::string& path, void* data, size_t size);

// The platform's own opening of a file for reading only (binary), or null.
std::FILE* openForReading(const std::string& path);

// Replaces the file's contents with exactly these bytes, or leaves it as it was:
// the bytes go to a new file in the same folder, which is then renamed over the
// old one. A read-only file is not replaced. No temporary file remains.
bool replaceFile(const std::string& path, const void* data, size_t size);

// The process's working directory, ending in a separator ("" when unknown).
std::string workingDirectory();

// Where the last path component starts: just past the last separator (slash,
// and on Windows also backslash and a drive's colon); 0 without one.
size_t fileNameStart(std::string_view path);

}  // namespace platform
