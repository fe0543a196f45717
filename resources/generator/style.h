// The one colour scheme and light of the front panel: anodised graphite with
// warm white legends, light from the top left.
#pragma once

#include "canvas.h"

namespace artwork {

namespace colours {
inline constexpr Colour faceTop = rgb(0x3b3d41);
inline constexpr Colour faceBottom = rgb(0x2b2d30);
inline constexpr Colour legend = rgb(0xe8e3d4);
inline constexpr Colour legendDim = rgb(0x9ea3a8);
inline constexpr Colour accent = rgb(0xf2a33a);
inline constexpr Colour stripTop = rgb(0x1d1e20);
inline constexpr Colour stripBottom = rgb(0x141516);
inline constexpr Colour window = rgb(0xbdcfda);  // the name field's own background
inline constexpr Colour ledRed = rgb(0xff3a1c);
inline constexpr Colour ledAmber = rgb(0xffb020);
inline constexpr Colour ledGreen = rgb(0x5cff4a);
inline constexpr Colour glass = rgb(0x1a0706);
}  // namespace colours

// Light falls from the top left: shadows go right and down by this much.
inline constexpr double kShadowX = 1.0;
inline constexpr double kShadowY = 1.5;

}  // namespace artwork
