// Basic types of the GUI toolkit layer: coordinates, rectangles, colours, mouse
// button state, mouse results, text alignment, fonts and the reference-counted
// base object that every view, bitmap and font derives from.
#pragma once

#include <atomic>
#include <cstdint>
#include <cstring>
#include <string>

using CCoord = double;

struct CPoint {
  CCoord x = 0;
  CCoord y = 0;
  CPoint() = default;
  CPoint(CCoord x, CCoord y) : x(x), y(y) {}
  CPoint& offset(CCoord dx, CCoord dy) {
    x += dx;
    y += dy;
    return *this;
  }
  bool operator==(const CPoint& other) const { return x == other.x && y == other.y; }
  bool operator!=(const CPoint& other) const { return !(*this == other); }
};

struct CRect {
  CCoord left = 0;
  CCoord top = 0;
  CCoord right = 0;
  CCoord bottom = 0;
  CRect() = default;
  CRect(CCoord left, CCoord top, CCoord right, CCoord bottom)
      : left(left), top(top), right(right), bottom(bottom) {}
  CRect(const CPoint& origin, const CPoint& size)
      : left(origin.x), top(origin.y), right(origin.x + size.x), bottom(origin.y + size.y) {}

  CCoord getWidth() const { return right - left; }
  CCoord getHeight() const { return bottom - top; }
  CPoint getTopLeft() const { return {left, top}; }
  bool isEmpty() const { return right <= left || bottom <= top; }
  // Left and top edges inside, right and bottom edges outside.
  bool pointInside(const CPoint& p) const {
    return p.x >= left && p.x < right && p.y >= top && p.y < bottom;
  }
  bool rectOverlap(const CRect& other) const {
    return left < other.right && other.left < right && top < other.bottom && other.top < bottom;
  }
  CRect& offset(CCoord dx, CCoord dy) {
    left += dx;
    right += dx;
    top += dy;
    bottom += dy;
    return *this;
  }
  CRect& bound(const CRect& other) {
    if (left < other.left) left = other.left;
    if (top < other.top) top = other.top;
    if (right > other.right) right = other.right;
    if (bottom > other.bottom) bottom = other.bottom;
    if (right < left) right = left;
    if (bottom < top) bottom = top;
    return *this;
  }
  CRect& unite(const CRect& other) {
    if (other.left < left) left = other.left;
    if (other.top < top) top = other.top;
    if (other.right > right) right = other.right;
    if (other.bottom > bottom) bottom = other.bottom;
    return *this;
  }
  bool operator==(const CRect& o) const {
    return left == o.left && top == o.top && right == o.right && bottom == o.bottom;
  }
};

struct CColor {
  uint8_t red = 0;
  uint8_t green = 0;
  uint8_t blue = 0;
  uint8_t alpha = 255;
  bool operator==(const CColor& o) const {
    return red == o.red && green == o.green && blue == o.blue && alpha == o.alpha;
  }
};

inline constexpr CColor kTransparentCColor{255, 255, 255, 0};
inline constexpr CColor kBlackCColor{0, 0, 0, 255};
inline constexpr CColor kWhiteCColor{255, 255, 255, 255};
inline constexpr CColor kGreyCColor{127, 127, 127, 255};
inline constexpr CColor kRedCColor{255, 0, 0, 255};
inline constexpr CColor kGreenCColor{0, 255, 0, 255};
inline constexpr CColor kBlueCColor{0, 0, 255, 255};

// Mouse buttons, modifier keys and the double-click flag, one 32-bit state.
enum CButton : int32_t {
  kLButton = 1 << 1,
  kMButton = 1 << 2,
  kRButton = 1 << 3,
  kShift = 1 << 4,
  kControl = 1 << 5,
  kAlt = 1 << 6,
  kApple = 1 << 7,
  kDoubleClick = 1 << 10,
};
inline constexpr int32_t kButtonMask = kLButton | kMButton | kRButton;
inline constexpr int32_t kModifierMask = kShift | kControl | kAlt | kApple;
// The modifier that a click holds to restore a control's default value, and the
// one that makes a drag or a wheel step finer.
inline constexpr int32_t kDefaultValueModifier = kControl;
inline constexpr int32_t kZoomModifier = kShift;

class CButtonState {
 public:
  CButtonState(int32_t state = 0) : state(state) {}  // NOLINT: as plain as an int
  int32_t getButtonState() const { return state; }
  int32_t getModifierState() const { return state & kModifierMask; }
  bool isLeftButton() const { return (state & kLButton) != 0; }
  bool isRightButton() const { return (state & kRButton) != 0; }
  bool isDoubleClick() const { return (state & kDoubleClick) != 0; }
  operator int32_t() const { return state; }  // NOLINT
  bool operator==(const CButtonState& o) const { return state == o.state; }
  bool operator!=(const CButtonState& o) const { return state != o.state; }

 private:
  int32_t state;
};

enum CMouseEventResult {
  kMouseEventNotImplemented = 0,
  kMouseEventHandled,
  kMouseEventNotHandled,
  kMouseDownEventHandledButDontNeedMovedOrUpEvents,
  kMouseMoveEventHandledButDontNeedMoreEvents,
};

// Knob modes as the host sets them (effSetEditKnobMode).
enum CKnobMode : int32_t { kCircularMode = 0, kRelativCircularMode = 1, kLinearMode = 2 };

enum CHoriTxtAlign { kLeftText = 0, kCenterText, kRightText };

// Font styles.
enum CTxtFace : int32_t {
  kNormalFace = 0,
  kBoldFace = 1 << 1,
  kItalicFace = 1 << 2,
  kUnderlineFace = 1 << 3,
};

// Virtual keys of VstKeyCode::virt, numbered as in VST 2.4.
enum VstVirtualKey : unsigned char {
  VKEY_BACK = 1,
  VKEY_TAB,
  VKEY_CLEAR,
  VKEY_RETURN,
  VKEY_PAUSE,
  VKEY_ESCAPE,
  VKEY_SPACE,
  VKEY_NEXT,
  VKEY_END,
  VKEY_HOME,
  VKEY_LEFT,
  VKEY_UP,
  VKEY_RIGHT,
  VKEY_DOWN,
  VKEY_PAGEUP,
  VKEY_PAGEDOWN,
  VKEY_SELECT,
  VKEY_PRINT,
  VKEY_ENTER,
  VKEY_SNAPSHOT,
  VKEY_INSERT,
  VKEY_DELETE,
};

// Reference counting: an object starts with one reference, remember() adds one,
// forget() drops one and deletes the object at zero.
class CBaseObject {
 public:
  CBaseObject() { ++live; }
  CBaseObject(const CBaseObject&) : CBaseObject() {}
  CBaseObject& operator=(const CBaseObject&) { return *this; }
  virtual ~CBaseObject() { --live; }

  virtual void remember() { ++references; }
  virtual void forget() {
    if (--references == 0) {
      delete this;
    }
  }
  int32_t getNbReference() const { return references; }
  virtual bool isTypeOf(const char* type) const { return std::strcmp(type, "CBaseObject") == 0; }

  // Toolkit objects alive in the process, for leak checks in tests.
  static int32_t liveObjects() { return live; }

 private:
  int32_t references = 1;
  static inline std::atomic<int32_t> live{0};
};

// A font: a name ("Arial" is the toolkit's standard), a size in pixels (em height)
// and a style of CTxtFace bits.
class CFontDesc : public CBaseObject {
 public:
  CFontDesc(const char* name = "Arial", CCoord size = 12, int32_t style = kNormalFace)
      : name(name), size(size), style(style) {}
  const std::string& getName() const { return name; }
  CCoord getSize() const { return size; }
  int32_t getStyle() const { return style; }
  void setName(const char* newName) { name = newName; }
  void setSize(CCoord newSize) { size = newSize; }
  void setStyle(int32_t newStyle) { style = newStyle; }
  bool isTypeOf(const char* type) const override {
    return std::strcmp(type, "CFontDesc") == 0 || CBaseObject::isTypeOf(type);
  }

 private:
  std::string name;
  CCoord size;
  int32_t style;
};
using CFontRef = CFontDesc*;

// The toolkit's standard fonts, all "Arial" in several sizes; they live for
// the whole process.
extern const CFontRef kSystemFont;
extern const CFontRef kNormalFontVeryBig;
extern const CFontRef kNormalFontBig;
extern const CFontRef kNormalFont;
extern const CFontRef kNormalFontSmall;
extern const CFontRef kNormalFontSmaller;
extern const CFontRef kNormalFontVerySmall;
