// ondex-artwork: draws the editor's bitmaps.
//   ondex-artwork --write DIR     writes DIR/bitmaps/<id>.bmp, DIR/bitmaps/<zoom>/<id>.opk
//                                 and DIR/ondex.rc
//   ondex-artwork --check DIR     fails unless those files are what it draws now
//   ondex-artwork --preview PANEL.png ABOUT.png
//                                 the panel with every control on it, the about picture
#include <cairo.h>

#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

#include "artwork.h"
#include "gui/zoomscale.h"
#include "preview.h"

namespace {

std::string readFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

bool writeFile(const std::string& path, const void* data, size_t size) {
  std::ofstream out(path, std::ios::binary);
  out.write(static_cast<const char*>(data), std::streamsize(size));
  return bool(out);
}

int writeOrCheck(const std::string& dir, bool check) {
  int failures = 0;
  auto handle = [&](const std::string& name, const std::string& bytes) {
    const std::string path = dir + "/" + name;
    if (check) {
      if (readFile(path) != bytes) {
        std::fprintf(stderr, "%s differs from what the generator draws now\n", path.c_str());
        ++failures;
      }
    } else if (!writeFile(path, bytes.data(), bytes.size())) {
      std::fprintf(stderr, "cannot write %s\n", path.c_str());
      ++failures;
    }
  };
  for (const int zoom : kZooms) {
    if (!check) {
      std::filesystem::create_directories(dir + "/" + artwork::bitmapFileName(0, zoom) + "/..");
    }
    for (const auto& bitmap : artwork::renderArtwork(zoom)) {
      handle(artwork::bitmapFileName(bitmap.id, zoom),
             std::string(bitmap.file.begin(), bitmap.file.end()));
    }
  }
  handle("ondex.rc", artwork::resourceScript());
  if (check && failures > 0) {
    std::fprintf(stderr, "run: ondex-artwork --write resources\n");
  }
  return failures == 0 ? 0 : 1;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc == 3 && std::strcmp(argv[1], "--write") == 0) {
    return writeOrCheck(argv[2], false);
  }
  if (argc == 3 && std::strcmp(argv[1], "--check") == 0) {
    return writeOrCheck(argv[2], true);
  }
  if (argc == 4 && std::strcmp(argv[1], "--preview") == 0) {
    return artwork::writePreviews(argv[2], argv[3]) ? 0 : 1;
  }
  std::fprintf(stderr,
               "usage: ondex-artwork --write DIR | --check DIR | --preview PANEL.png ABOUT.png\n");
  return 2;
}
