// The editor's three zooms and how a 100 % length, position or bitmap maps to
// one of them: the one rule the artwork generator, the frame and the bitmaps
// share, so an image always lands on the pixels drawn for it.
#pragma once

#include <array>
#include <cstdint>

inline constexpr std::array<int, 3> kZooms{100, 150, 200};

constexpr bool isZoom(int percent) {
  for (const int z : kZooms) {
    if (z == percent) {
      return true;
    }
  }
  return false;
}

// A length (a bitmap's width, one image's height, the window) rounded up, so a
// scaled image never falls short of the area it covers.
constexpr int zoomedLength(int length, int percent) { return (length * percent + 99) / 100; }

// A position rounded down: the pixel that holds the scaled edge.
constexpr int zoomedPosition(int position, int percent) { return position * percent / 100; }

// The scaled sets sit beside the 100 % bitmaps as their own resource numbers.
constexpr int32_t zoomedResourceId(int32_t id, int percent) {
  return percent == 100 ? id : id + int32_t(percent) * 100;
}

// The zoom nearest a desktop's resolution, 96 dots per inch being 100 %.
constexpr int zoomForDpi(int dpi) {
  if (dpi < 120) {  // up to 125 %
    return 100;
  }
  return dpi < 168 ? 150 : 200;  // 168 dpi is 175 %
}
