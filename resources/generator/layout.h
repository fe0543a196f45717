// Where every bitmap sits on the front panel and how its images are stacked:
// the one table the generator, the preview and the artwork tests share.
#pragma once

#include <array>
#include <cstdint>

namespace artwork {

struct Rect {
  int x, y, w, h;
};

// One bitmap resource: size of one image, number of stacked images, depth.
struct BitmapShape {
  int32_t id;
  int width;
  int imageHeight;
  int images;
  int bitsPerPixel;
};

inline constexpr int kWindowWidth = 870;
inline constexpr int kWindowHeight = 101;
inline constexpr int kStripTop = 85;  // the preset panel's band

inline constexpr std::array<BitmapShape, 36> kBitmaps{{
    {128, 870, 101, 1, 24},  // background
    {129, 870, 101, 1, 8},   // about picture
    {130, 21, 20, 2, 8},     // Dly x2
    {131, 35, 35, 101, 8},   // Input
    {132, 35, 35, 101, 8},   // Output
    {133, 35, 35, 101, 8},   // Feedback
    {134, 21, 26, 2, 8},     // FB Inv
    {135, 21, 26, 2, 8},     // Dly Inv
    {136, 35, 35, 101, 8},   // Mix
    {137, 22, 26, 2, 8},     // Rpt Inf
    {138, 26, 26, 2, 8},     // step down
    {139, 26, 26, 2, 8},     // step up
    {140, 14, 20, 12, 8},    // digit 1
    {141, 14, 20, 12, 8},    // digit 2
    {142, 15, 20, 12, 8},    // digit 3
    {143, 14, 20, 12, 8},    // digit 4
    {144, 16, 32, 8, 8},     // status lamps
    {145, 11, 11, 2, 24},    // bypass lamp
    {146, 7, 43, 21, 8},     // headroom meter
    {147, 23, 26, 2, 8},     // Hi Cut
    {148, 36, 36, 101, 8},   // Depth
    {149, 35, 35, 101, 8},   // Man VCO
    {150, 36, 36, 101, 8},   // Rate
    {151, 36, 36, 101, 8},   // Waveform
    {152, 22, 20, 2, 8},     // Power
    {153, 10, 10, 101, 8},   // modulation lamp
    {154, 12, 25, 1, 24},    // not shown by the editor
    {155, 15, 10, 2, 24},    // Dly/Clk switch
    {990, 17, 15, 3, 32},    // load, recall
    {991, 17, 15, 3, 24},    // save, store
    {992, 32, 13, 3, 24},    // default bank
    {993, 44, 13, 3, 24},    // default preset
    {994, 28, 13, 3, 24},    // default MIDI settings
    {995, 30, 13, 5, 24},    // previous / next
    {998, 24, 16, 3, 32},    // MIDI learn
    {999, 24, 16, 3, 24},    // unassign
}};

inline constexpr const BitmapShape& shapeOf(int32_t id) {
  for (const BitmapShape& s : kBitmaps) {
    if (s.id == id) {
      return s;
    }
  }
  return kBitmaps[0];
}

// The knobs: 101 images each, pointer from -135 to +135 degrees.
inline constexpr std::array<int32_t, 8> kKnobs{131, 132, 133, 136, 148, 149, 150, 151};
inline constexpr bool isKnob(int32_t id) {
  for (int32_t k : kKnobs) {
    if (k == id) {
      return true;
    }
  }
  return false;
}

// Every place a bitmap is shown, for the preview and for the labels beside the
// controls: the editor's controls and the preset panel's buttons.
struct Placement {
  int32_t id;
  int x, y;
};

inline constexpr std::array<Placement, 41> kPlacements{{
    {140, 511, 32}, {141, 528, 32}, {142, 545, 32}, {143, 563, 32}, {144, 577, 26}, {145, 341, 59},
    {153, 786, 61}, {131, 109, 25}, {132, 154, 25}, {133, 200, 25}, {136, 352, 25}, {149, 616, 25},
    {148, 661, 25}, {147, 247, 44}, {151, 706, 25}, {150, 752, 25}, {134, 276, 44}, {135, 306, 44},
    {137, 399, 44}, {130, 74, 45},  {152, 818, 45}, {155, 457, 23}, {138, 431, 33}, {139, 470, 33},
    {146, 41, 21},  {990, 85, 86},  {991, 34, 86},  {992, 51, 86},  {990, 177, 86}, {991, 114, 86},
    {993, 132, 86}, {990, 421, 86}, {991, 388, 86}, {990, 486, 86}, {991, 452, 86}, {998, 788, 85},
    {990, 658, 86}, {991, 610, 86}, {994, 628, 86}, {999, 813, 85}, {995, 340, 86},
}};

// Where a bitmap's images are drawn over the background: its first place on
// the panel (the repeated preset buttons sit on a band that is the same all
// along); a bitmap shown nowhere takes a plain piece of the panel.
inline constexpr Placement origin(int32_t id) {
  for (const Placement& p : kPlacements) {
    if (p.id == id) {
      return p;
    }
  }
  return {id, 4, 30};
}

// The preset panel's text windows, part of the background.
inline constexpr Rect kNameField{208, 87, 112, 13};
inline constexpr Rect kProgramList{320, 87, 13, 12};
inline constexpr Rect kControllerDisplay{690, 87, 90, 12};
// The logo, under the about view's hotspot.
inline constexpr Rect kLogo{806, 15, 61, 24};
// The two drag areas that set the delay.
inline constexpr Rect kNarrowDrag{458, 34, 12, 25};
inline constexpr Rect kDisplayDrag{505, 27, 86, 30};
// The version text on the about picture.
inline constexpr Rect kVersionText{520, 57, 100, 15};

}  // namespace artwork
