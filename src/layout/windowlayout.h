// The editor window's layout: each bitmap by number with its size and stacking,
// and where every control of the editor and of its preset panel sits and which
// bitmap it shows. The one table that the artwork generator (a build-time tool),
// the editor and the preset panel all read; plain constants, so that each of
// them includes it without linking anything.
#pragma once

#include <array>
#include <cstdint>

namespace layout {

inline constexpr int kWindowWidth = 870;
inline constexpr int kWindowHeight = 101;
inline constexpr int kStripTop = 85;  // the preset panel's band, down to the bottom

// Window pixels; the right and bottom edges lie outside.
struct Rect {
  int left, top, right, bottom;
  constexpr int width() const { return right - left; }
  constexpr int height() const { return bottom - top; }
};

// The bitmap resources by number (the scaled sets number theirs from these).
namespace bitmap {
enum Id : int32_t {
  kNone = 0,
  kBackground = 128,  // also under the panel's text windows, which show it through
  kAbout = 129,
  kDlyx2 = 130,
  kInput = 131,
  kOutput = 132,
  kFbck = 133,
  kFbInv = 134,
  kDlyInv = 135,
  kMix = 136,
  kRptInf = 137,
  kStepDown = 138,
  kStepUp = 139,
  kDigit1 = 140,
  kDigit2 = 141,
  kDigit3 = 142,
  kDigit4 = 143,
  kStatusLamps = 144,
  kBypassLamp = 145,
  kMeter = 146,
  kHiCut = 147,
  kDepth = 148,
  kManVco = 149,
  kRate = 150,
  kWaveform = 151,
  kPower = 152,
  kModulationLamp = 153,
  kSpare = 154,  // carried, shown by no control
  kDlyClk = 155,
  kLoad = 990,  // load buttons and recall A / B
  kSave = 991,  // save buttons and store A / B
  kDefaultBank = 992,
  kDefaultPreset = 993,
  kDefaultMidi = 994,
  kPreviousNext = 995,
  kLearn = 998,
  kUnassign = 999,
};
}  // namespace bitmap

// One bitmap resource: the size of one image, the number of images stacked top
// to bottom, the depth of its file.
struct BitmapShape {
  int32_t id;
  int width;
  int imageHeight;
  int images;
  int bitsPerPixel;
};

inline constexpr std::array<BitmapShape, 36> kBitmaps{{
    {bitmap::kBackground, 870, 101, 1, 24}, {bitmap::kAbout, 870, 101, 1, 8},
    {bitmap::kDlyx2, 21, 20, 2, 8},         {bitmap::kInput, 35, 35, 101, 8},
    {bitmap::kOutput, 35, 35, 101, 8},      {bitmap::kFbck, 35, 35, 101, 8},
    {bitmap::kFbInv, 21, 26, 2, 8},         {bitmap::kDlyInv, 21, 26, 2, 8},
    {bitmap::kMix, 35, 35, 101, 8},         {bitmap::kRptInf, 22, 26, 2, 8},
    {bitmap::kStepDown, 26, 26, 2, 8},      {bitmap::kStepUp, 26, 26, 2, 8},
    {bitmap::kDigit1, 14, 20, 12, 8},       {bitmap::kDigit2, 14, 20, 12, 8},
    {bitmap::kDigit3, 15, 20, 12, 8},       {bitmap::kDigit4, 14, 20, 12, 8},
    {bitmap::kStatusLamps, 16, 32, 8, 8},   {bitmap::kBypassLamp, 11, 11, 2, 24},
    {bitmap::kMeter, 7, 43, 21, 8},         {bitmap::kHiCut, 23, 26, 2, 8},
    {bitmap::kDepth, 36, 36, 101, 8},       {bitmap::kManVco, 35, 35, 101, 8},
    {bitmap::kRate, 36, 36, 101, 8},        {bitmap::kWaveform, 36, 36, 101, 8},
    {bitmap::kPower, 22, 20, 2, 8},         {bitmap::kModulationLamp, 10, 10, 101, 8},
    {bitmap::kSpare, 12, 25, 1, 24},        {bitmap::kDlyClk, 15, 10, 2, 24},
    {bitmap::kLoad, 17, 15, 3, 32},         {bitmap::kSave, 17, 15, 3, 24},
    {bitmap::kDefaultBank, 32, 13, 3, 24},  {bitmap::kDefaultPreset, 44, 13, 3, 24},
    {bitmap::kDefaultMidi, 28, 13, 3, 24},  {bitmap::kPreviousNext, 30, 13, 5, 24},
    {bitmap::kLearn, 24, 16, 3, 32},        {bitmap::kUnassign, 24, 16, 3, 24},
}};

// The shape of a bitmap; the background's for a number that is none of them.
constexpr const BitmapShape& shapeOf(int32_t id) {
  for (const BitmapShape& s : kBitmaps) {
    if (s.id == id) {
      return s;
    }
  }
  return kBitmaps[0];
}

// Where a control sits and the bitmap it shows.
struct Place {
  Rect rect;
  int32_t bitmap;
};

// A control exactly one image of its bitmap in size, its top left at x, y.
constexpr Place imageAt(int32_t id, int x, int y) {
  const BitmapShape& s = shapeOf(id);
  return {{x, y, x + s.width, y + s.imageHeight}, id};
}

// Tags of the editor's own controls; 0 to 15 are the parameters they drive.
enum Tag : int32_t {
  kStepDown = 19,
  kStepUp = 20,
  kDigit1 = 21,
  kStatusLamps = 26,
  kBypassLamp = 27,
  kModulationLamp = 28,
  kMeter = 29,
  kNarrowArea = 30,
  kDisplayArea = 31,
  kAboutHotspot = 32,
};

// The editor's controls by tag (the editor's own table gives their order).
struct TaggedPlace {
  int32_t tag;
  Place place;
};
inline constexpr std::array<TaggedPlace, 28> kEditorControls{{
    {kDigit1, imageAt(bitmap::kDigit1, 511, 32)},
    {kDigit1 + 1, imageAt(bitmap::kDigit2, 528, 32)},
    {kDigit1 + 2, imageAt(bitmap::kDigit3, 545, 32)},
    {kDigit1 + 3, imageAt(bitmap::kDigit4, 563, 32)},
    {kStatusLamps, imageAt(bitmap::kStatusLamps, 577, 26)},
    {kBypassLamp, imageAt(bitmap::kBypassLamp, 341, 59)},
    {kModulationLamp, imageAt(bitmap::kModulationLamp, 786, 61)},
    {0, imageAt(bitmap::kInput, 109, 25)},
    {1, imageAt(bitmap::kOutput, 154, 25)},
    {6, imageAt(bitmap::kFbck, 200, 25)},
    {2, imageAt(bitmap::kMix, 352, 25)},
    {9, imageAt(bitmap::kManVco, 616, 25)},
    {10, imageAt(bitmap::kDepth, 661, 25)},
    {7, imageAt(bitmap::kHiCut, 247, 44)},
    {11, imageAt(bitmap::kWaveform, 706, 25)},
    {12, imageAt(bitmap::kRate, 752, 25)},
    {8, imageAt(bitmap::kFbInv, 276, 44)},
    {5, imageAt(bitmap::kDlyInv, 306, 44)},
    {13, imageAt(bitmap::kRptInf, 399, 44)},
    {4, imageAt(bitmap::kDlyx2, 74, 45)},
    {14, imageAt(bitmap::kPower, 818, 45)},
    {15, imageAt(bitmap::kDlyClk, 457, 23)},
    {kStepDown, imageAt(bitmap::kStepDown, 431, 33)},
    {kStepUp, imageAt(bitmap::kStepUp, 470, 33)},
    {kMeter, imageAt(bitmap::kMeter, 41, 21)},
    {kNarrowArea, {{458, 34, 470, 59}, bitmap::kNone}},     // between the step buttons
    {kDisplayArea, {{505, 27, 591, 57}, bitmap::kNone}},    // over the display
    {kAboutHotspot, {{806, 15, 867, 39}, bitmap::kAbout}},  // the logo; shows the whole picture
}};

// The place of the editor's control with that tag; an empty one for no control.
inline constexpr Place kNowhere{{0, 0, 0, 0}, bitmap::kNone};
constexpr const Place& editorPlace(int32_t tag) {
  for (const TaggedPlace& p : kEditorControls) {
    if (p.tag == tag) {
      return p.place;
    }
  }
  return kNowhere;
}

// The about picture's version text, drawn by the about view over the picture.
inline constexpr Rect kVersionText{520, 57, 620, 72};

// The preset panel's controls (their tags are the panel's own). The text
// windows show the background under them.
namespace panel {
inline constexpr int kFontSize = 9;  // the text windows'
// The name field: as high as its font plus a margin, centred on the strip
// from 86 to 101.
inline constexpr Place kNameField{
    {208, (86 + 101 - kFontSize) / 2 - 2, 320, (86 + 101 + kFontSize) / 2 + 2},
    bitmap::kBackground};
inline constexpr Place kProgramList{{320, 87, 333, 99}, bitmap::kBackground};
inline constexpr Place kControllerDisplay{{690, 87, 780, 99}, bitmap::kBackground};
inline constexpr Place kPreviousNext = imageAt(bitmap::kPreviousNext, 340, 86);
inline constexpr Place kLoadBank = imageAt(bitmap::kLoad, 85, 86);
inline constexpr Place kSaveBank = imageAt(bitmap::kSave, 34, 86);
inline constexpr Place kDefaultBank = imageAt(bitmap::kDefaultBank, 51, 86);
inline constexpr Place kLoadPreset = imageAt(bitmap::kLoad, 177, 86);
inline constexpr Place kSavePreset = imageAt(bitmap::kSave, 114, 86);
inline constexpr Place kDefaultPreset = imageAt(bitmap::kDefaultPreset, 132, 86);
inline constexpr Place kRecallA = imageAt(bitmap::kLoad, 421, 86);
inline constexpr Place kStoreA = imageAt(bitmap::kSave, 388, 86);
inline constexpr Place kRecallB = imageAt(bitmap::kLoad, 486, 86);
inline constexpr Place kStoreB = imageAt(bitmap::kSave, 452, 86);
inline constexpr Place kLearn = imageAt(bitmap::kLearn, 788, 85);
inline constexpr Place kLoadMidi = imageAt(bitmap::kLoad, 658, 86);
inline constexpr Place kSaveMidi = imageAt(bitmap::kSave, 610, 86);
inline constexpr Place kDefaultMidi = imageAt(bitmap::kDefaultMidi, 628, 86);
inline constexpr Place kUnassign = imageAt(bitmap::kUnassign, 813, 85);

// All of them, in the order the panel adds them to the window.
inline constexpr std::array<Place, 19> kControls{
    kNameField,   kProgramList, kPreviousNext, kLoadBank,          kSaveBank,
    kDefaultBank, kLoadPreset,  kSavePreset,   kDefaultPreset,     kRecallA,
    kStoreA,      kRecallB,     kStoreB,       kControllerDisplay, kLearn,
    kLoadMidi,    kSaveMidi,    kDefaultMidi,  kUnassign,
};
}  // namespace panel

// Every place shows a bitmap that the resources carry, or none.
static_assert([] {
  auto carried = [](int32_t id) {
    for (const BitmapShape& s : kBitmaps) {
      if (s.id == id) {
        return true;
      }
    }
    return id == bitmap::kNone;
  };
  for (const TaggedPlace& c : kEditorControls) {
    if (!carried(c.place.bitmap)) {
      return false;
    }
  }
  for (const Place& p : panel::kControls) {
    if (!carried(p.bitmap)) {
      return false;
    }
  }
  return true;
}());

}  // namespace layout
