// Style bits of the controls (the numbering callers pass as style values).
#pragma once

#include <cstdint>

enum CControlStyle : int32_t {
  kHorizontal = 1 << 0,
  kVertical = 1 << 1,
  kShadowText = 1 << 2,
  k3DIn = 1 << 3,
  k3DOut = 1 << 4,
  kPopupStyle = 1 << 5,
  kCheckStyle = 1 << 6,
  kNoTextStyle = 1 << 11,
  kNoDrawStyle = 1 << 12,
  kDoubleClickStyle = 1 << 13,
  kNoFrame = 1 << 14,
};
