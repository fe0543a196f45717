// The window's layout as the generator draws it: the bitmaps and places of the
// one layout table, the knobs among them, and where each bitmap's images are
// drawn over the panel.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>

#include "layout/windowlayout.h"

namespace artwork {

using layout::BitmapShape;
using layout::kBitmaps;
using layout::kStripTop;
using layout::kWindowHeight;
using layout::kWindowWidth;
using layout::Rect;
using layout::shapeOf;
namespace bitmap = layout::bitmap;
namespace panel = layout::panel;

// The knobs: 101 images each, pointer from -135 to +135 degrees.
inline constexpr std::array<int32_t, 8> kKnobs{bitmap::kInput, bitmap::kOutput,  bitmap::kFbck,
                                               bitmap::kMix,   bitmap::kDepth,   bitmap::kManVco,
                                               bitmap::kRate,  bitmap::kWaveform};
inline constexpr bool isKnob(int32_t id) {
  for (int32_t k : kKnobs) {
    if (k == id) {
      return true;
    }
  }
  return false;
}

// A place where a bitmap's images are shown: the editor's controls and the
// preset panel's buttons (not the logo's hotspot, nor the text windows, which
// show the background).
struct Placement {
  int32_t id;
  int x, y;
};

namespace detail {
constexpr bool showsImages(const layout::Place& p) {
  return p.bitmap != bitmap::kNone && p.bitmap != bitmap::kAbout && p.bitmap != bitmap::kBackground;
}
constexpr size_t countPlacements() {
  size_t n = 0;
  for (const layout::TaggedPlace& c : layout::kEditorControls) {
    n += showsImages(c.place) ? 1 : 0;
  }
  for (const layout::Place& p : layout::panel::kControls) {
    n += showsImages(p) ? 1 : 0;
  }
  return n;
}
template <size_t N>
constexpr std::array<Placement, N> placements() {
  std::array<Placement, N> out{};
  size_t n = 0;
  auto add = [&](const layout::Place& p) {
    if (showsImages(p)) {
      out[n++] = {p.bitmap, p.rect.left, p.rect.top};
    }
  };
  for (const layout::TaggedPlace& c : layout::kEditorControls) {
    add(c.place);
  }
  for (const layout::Place& p : layout::panel::kControls) {
    add(p);
  }
  return out;
}
}  // namespace detail

// The editor's controls first, then the panel's buttons.
inline constexpr auto kPlacements = detail::placements<detail::countPlacements()>();

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

// The editor shows each control's images exactly where they were drawn over
// the panel: at the control's own place, which is one image in size.
static_assert([] {
  for (const layout::TaggedPlace& c : layout::kEditorControls) {
    const layout::Place& p = c.place;
    const Placement at = origin(p.bitmap);
    const BitmapShape& s = shapeOf(p.bitmap);
    if (detail::showsImages(p) && (at.x != p.rect.left || at.y != p.rect.top ||
                                   s.width != p.rect.width() || s.imageHeight != p.rect.height())) {
      return false;
    }
  }
  return true;
}());

// The places the background draws for the controls that have no images.
inline constexpr Rect kNameField = layout::panel::kNameField.rect;
inline constexpr Rect kProgramList = layout::panel::kProgramList.rect;
inline constexpr Rect kControllerDisplay = layout::panel::kControllerDisplay.rect;
inline constexpr Rect kLogo = layout::editorPlace(layout::kAboutHotspot).rect;
inline constexpr Rect kNarrowDrag = layout::editorPlace(layout::kNarrowArea).rect;
inline constexpr Rect kDisplayDrag = layout::editorPlace(layout::kDisplayArea).rect;
using layout::kVersionText;

}  // namespace artwork
