// The toolkit's controls: knobs, movie bitmaps, buttons, switches, the text
// field, the option menu, the parameter display and the splash screen.
#pragma once

#include <string>
#include <vector>

#include "gui/cview.h"

// Controls whose bitmap stacks several images top to bottom.
class IMultiBitmapControl {
 public:
  virtual ~IMultiBitmapControl() = default;
  void setHeightOfOneImage(CCoord height) { heightOfOneImage = height; }
  CCoord getHeightOfOneImage() const { return heightOfOneImage; }
  void setNumSubPixmaps(int32_t count) { subPixmaps = count; }
  int32_t getNumSubPixmaps() const { return subPixmaps; }

 protected:
  // Image int(v·(n − 1) + 0.5) for the normalized value v of n images.
  int32_t imageIndex(float normalized) const;
  CCoord heightOfOneImage = 0;
  int32_t subPixmaps = 0;
};

class CKnob : public CControl {
 public:
  CKnob(const CRect& size, CControlListener* listener, int32_t tag, CBitmap* background,
        const CPoint& offset = CPoint(0, 0));
  CKnob(const CKnob& other) = default;

  CMouseEventResult onMouseDown(CPoint& where, const CButtonState& buttons) override;
  CMouseEventResult onMouseMoved(CPoint& where, const CButtonState& buttons) override;
  CMouseEventResult onMouseUp(CPoint& where, const CButtonState& buttons) override;
  bool onWheel(const CPoint& where, const float& distance, const CButtonState& buttons) override;

  // In the linear mode a drag covers the full range over 200 pixels of upward
  // plus rightward travel, times the zoom factor with kShift held.
  void setZoomFactor(float factor) { zoomFactor = factor; }
  float getZoomFactor() const { return zoomFactor; }
  // Angles in radians, counter-clockwise from 3 o'clock; the default range runs
  // clockwise from 7:30 (minimum) to 4:30 (maximum).
  void setStartAngle(float angle) { startAngle = angle; }
  float getStartAngle() const { return startAngle; }
  void setRangeAngle(float angle) { rangeAngle = angle; }
  float getRangeAngle() const { return rangeAngle; }
  // The value that the circular modes give a point in view coordinates.
  virtual float valueFromPoint(const CPoint& local) const;

  bool isTypeOf(const char* type) const override;
  CView* newCopy() const override { return new CKnob(*this); }

  static constexpr float kLinearRange = 200.0f;

 protected:
  CPoint offset;
  float zoomFactor = 1.5f;
  float startAngle = 3.92699082f;   // 5π/4
  float rangeAngle = -4.71238898f;  // −3π/2
  // Drag state.
  int32_t dragMode = kCircularMode;
  CPoint firstPoint;
  CPoint lastPoint;
  CButtonState oldButton;
  float entryState = 0.0f;
  float startValue = 0.0f;
  float range = kLinearRange;
  float coef = 0.0f;
};

class CAnimKnob : public CKnob, public IMultiBitmapControl {
 public:
  // One image per view height, as many as the bitmap holds.
  CAnimKnob(const CRect& size, CControlListener* listener, int32_t tag, CBitmap* background,
            const CPoint& offset = CPoint(0, 0));
  CAnimKnob(const CRect& size, CControlListener* listener, int32_t tag, int32_t subPixmaps,
            CCoord heightOfOneImage, CBitmap* background, const CPoint& offset = CPoint(0, 0));
  CAnimKnob(const CAnimKnob& other) = default;
  void draw(CDrawContext* context) override;
  bool isTypeOf(const char* type) const override;
  CView* newCopy() const override { return new CAnimKnob(*this); }
};

class CMovieBitmap : public CControl, public IMultiBitmapControl {
 public:
  CMovieBitmap(const CRect& size, CControlListener* listener, int32_t tag, int32_t subPixmaps,
               CCoord heightOfOneImage, CBitmap* background, const CPoint& offset = CPoint(0, 0));
  CMovieBitmap(const CMovieBitmap& other) = default;
  void draw(CDrawContext* context) override;
  bool isTypeOf(const char* type) const override;
  CView* newCopy() const override { return new CMovieBitmap(*this); }

 protected:
  CPoint offset;
};

// Pressed (maximum, image 1) while the left button is held with the pointer
// inside; reports the press at release, then the return to the minimum.
class CKickButton : public CControl {
 public:
  CKickButton(const CRect& size, CControlListener* listener, int32_t tag, CCoord heightOfOneImage,
              CBitmap* background, const CPoint& offset = CPoint(0, 0));
  CKickButton(const CKickButton& other) = default;
  void draw(CDrawContext* context) override;
  CMouseEventResult onMouseDown(CPoint& where, const CButtonState& buttons) override;
  CMouseEventResult onMouseMoved(CPoint& where, const CButtonState& buttons) override;
  CMouseEventResult onMouseUp(CPoint& where, const CButtonState& buttons) override;
  bool isTypeOf(const char* type) const override;
  CView* newCopy() const override { return new CKickButton(*this); }
  CCoord getHeightOfOneImage() const { return heightOfOneImage; }

 protected:
  CPoint offset;
  CCoord heightOfOneImage;
  float entryState = 0.0f;
};

// Toggles between minimum and maximum at each left press.
class COnOffButton : public CControl {
 public:
  COnOffButton(const CRect& size, CControlListener* listener, int32_t tag, CBitmap* background,
               int32_t style = 0);
  COnOffButton(const COnOffButton& other) = default;
  void draw(CDrawContext* context) override;
  CMouseEventResult onMouseDown(CPoint& where, const CButtonState& buttons) override;
  int32_t getStyle() const { return style; }
  void setStyle(int32_t newStyle) { style = newStyle; }
  bool isTypeOf(const char* type) const override;
  CView* newCopy() const override { return new COnOffButton(*this); }

 protected:
  int32_t style;
};

// Positions side by side; a press or drag selects the one under the pointer.
class CHorizontalSwitch : public CControl, public IMultiBitmapControl {
 public:
  CHorizontalSwitch(const CRect& size, CControlListener* listener, int32_t tag,
                    int32_t subPixmaps, CCoord heightOfOneImage, int32_t maxPositions,
                    CBitmap* background, const CPoint& offset = CPoint(0, 0));
  CHorizontalSwitch(const CHorizontalSwitch& other) = default;
  void draw(CDrawContext* context) override;
  CMouseEventResult onMouseDown(CPoint& where, const CButtonState& buttons) override;
  CMouseEventResult onMouseMoved(CPoint& where, const CButtonState& buttons) override;
  CMouseEventResult onMouseUp(CPoint& where, const CButtonState& buttons) override;
  int32_t getMaxPositions() const { return maxPositions; }
  bool isTypeOf(const char* type) const override;
  CView* newCopy() const override { return new CHorizontalSwitch(*this); }

 protected:
  CPoint offset;
  int32_t maxPositions;
};

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

// Values −1, 0 and +1: pressing the left (or upper) half gives −1, the other
// half +1, releasing 0. Images: 0 for −1, 1 for 0, 2 for +1.
class CRockerSwitch : public CControl {
 public:
  CRockerSwitch(const CRect& size, CControlListener* listener, int32_t tag, CCoord heightOfOneImage,
                CBitmap* background, const CPoint& offset = CPoint(0, 0),
                int32_t style = kHorizontal);
  CRockerSwitch(const CRockerSwitch& other) = default;
  void draw(CDrawContext* context) override;
  CMouseEventResult onMouseDown(CPoint& where, const CButtonState& buttons) override;
  CMouseEventResult onMouseMoved(CPoint& where, const CButtonState& buttons) override;
  CMouseEventResult onMouseUp(CPoint& where, const CButtonState& buttons) override;
  bool onWheel(const CPoint& where, const float& distance, const CButtonState& buttons) override;
  bool isTypeOf(const char* type) const override;
  CView* newCopy() const override { return new CRockerSwitch(*this); }

 protected:
  CPoint offset;
  CCoord heightOfOneImage;
  int32_t style;
  float entryState = 0.0f;
};

// Turns a value into the text that a parameter display shows.
using CParamDisplayValueToStringProc = bool (*)(float value, char utf8String[256], void* userData);

// Shows its value as text over its background: the background bitmap from the
// background offset (so it looks transparent over a frame background), or a
// filled rectangle in the background colour unless transparent.
class CParamDisplay : public CControl {
 public:
  CParamDisplay(const CRect& size, CBitmap* background = nullptr, int32_t style = 0);
  CParamDisplay(const CParamDisplay& other);
  ~CParamDisplay() override;

  void draw(CDrawContext* context) override;

  void setFont(CFontRef newFont);
  CFontRef getFont() const { return font; }
  void setFontColor(const CColor& color) { fontColor = color; }
  CColor getFontColor() const { return fontColor; }
  void setBackColor(const CColor& color) { backColor = color; }
  CColor getBackColor() const { return backColor; }
  void setFrameColor(const CColor& color) { frameColor = color; }
  CColor getFrameColor() const { return frameColor; }
  void setShadowColor(const CColor& color) { shadowColor = color; }
  CColor getShadowColor() const { return shadowColor; }
  void setHoriAlign(CHoriTxtAlign align) { horiTxtAlign = align; }
  CHoriTxtAlign getHoriAlign() const { return horiTxtAlign; }
  void setStyle(int32_t newStyle) { style = newStyle; }
  int32_t getStyle() const { return style; }
  void setAntialias(bool state) { antialias = state; }
  void setValueToStringProc(CParamDisplayValueToStringProc proc, void* userData = nullptr) {
    valueToString = proc;
    valueToStringUserData = userData;
  }
  // The text that the display shows for its current value.
  virtual std::string getDisplayText() const;

  bool isTypeOf(const char* type) const override;
  CView* newCopy() const override { return new CParamDisplay(*this); }

 protected:
  void drawBack(CDrawContext* context);
  void drawText(CDrawContext* context, const std::string& text);

  CParamDisplayValueToStringProc valueToString = nullptr;
  void* valueToStringUserData = nullptr;
  CFontRef font = nullptr;
  CColor fontColor = kWhiteCColor;
  CColor backColor = kBlackCColor;
  CColor frameColor = kBlackCColor;
  CColor shadowColor = kRedCColor;
  CHoriTxtAlign horiTxtAlign = kCenterText;
  int32_t style;
  bool antialias = true;
};

// A one-line text field. A left click gives it the keyboard focus and starts an
// edit; keys then type into it (characters, backspace, delete, arrows,
// home/end). Return or the loss of focus commits the text and tells the
// listener; Escape cancels.
class CTextEdit : public CParamDisplay {
 public:
  CTextEdit(const CRect& size, CControlListener* listener, int32_t tag, const char* text = nullptr,
            CBitmap* background = nullptr, int32_t style = 0);
  CTextEdit(const CTextEdit& other) = default;

  static constexpr size_t kMaxTextBytes = 255;
  void setText(const char* text);
  const char* getText() const { return text.c_str(); }
  bool isEditing() const { return editing; }
  const std::string& getEditText() const { return editText; }
  size_t getCaret() const { return caret; }

  void draw(CDrawContext* context) override;
  std::string getDisplayText() const override;
  CMouseEventResult onMouseDown(CPoint& where, const CButtonState& buttons) override;
  int32_t onKeyDown(VstKeyCode& keyCode) override;
  void takeFocus() override;
  void looseFocus() override;

  bool isTypeOf(const char* type) const override;
  CView* newCopy() const override { return new CTextEdit(*this); }

 private:
  void endEditing(bool commit);
  std::string text;
  std::string editText;
  size_t caret = 0;
  bool editing = false;
};

class CMenuItem : public CBaseObject {
 public:
  enum Flags : int32_t { kNoFlags = 0, kDisabled = 1 << 0, kTitle = 1 << 1, kChecked = 1 << 2,
                         kSeparator = 1 << 3 };
  explicit CMenuItem(const char* title, int32_t flags = kNoFlags)
      : title(title != nullptr ? title : ""), flags(flags) {}
  const char* getTitle() const { return title.c_str(); }
  void setTitle(const char* newTitle) { title = newTitle != nullptr ? newTitle : ""; }
  bool isEnabled() const { return (flags & kDisabled) == 0; }
  bool isChecked() const { return (flags & kChecked) != 0; }
  bool isSeparator() const { return (flags & kSeparator) != 0; }
  bool isTitle() const { return (flags & kTitle) != 0; }
  void setChecked(bool state) { flags = state ? (flags | kChecked) : (flags & ~kChecked); }
  void setEnabled(bool state) { flags = state ? (flags & ~kDisabled) : (flags | kDisabled); }
  int32_t getFlags() const { return flags; }

 private:
  std::string title;
  int32_t flags;
};

// A list of entries whose value is the index of the current entry. A press
// asks the frame to pop the entries up (the platform shows them; a headless
// frame asks its test handler); a chosen entry becomes current and is reported.
class COptionMenu : public CParamDisplay {
 public:
  COptionMenu(const CRect& size, CControlListener* listener, int32_t tag,
              CBitmap* background = nullptr, CBitmap* bgWhenClick = nullptr, int32_t style = 0);
  COptionMenu(const COptionMenu& other);
  ~COptionMenu() override;

  // A title of "-" adds a separator. index −1 appends.
  CMenuItem* addEntry(const char* title, int32_t index = -1, int32_t itemFlags = 0);
  CMenuItem* getEntry(int32_t index) const;
  int32_t getNbEntries() const { return int32_t(items.size()); }
  bool removeEntry(int32_t index);
  bool removeAllEntry();
  bool setCurrent(int32_t index);
  int32_t getCurrentIndex() const;
  CMenuItem* getCurrent() const { return getEntry(getCurrentIndex()); }
  bool checkEntry(int32_t index, bool state);
  void setNbItemsPerColumn(int32_t count) { itemsPerColumn = count; }
  int32_t getNbItemsPerColumn() const { return itemsPerColumn; }
  int32_t getLastResult() const { return lastResult; }

  // Shows the popup through the frame; true when an entry was chosen.
  bool popup();
  // Makes an entry current as a choice in the popup would (listener told).
  bool chooseEntry(int32_t index);

  std::string getDisplayText() const override;
  CMouseEventResult onMouseDown(CPoint& where, const CButtonState& buttons) override;
  bool isTypeOf(const char* type) const override;
  CView* newCopy() const override { return new COptionMenu(*this); }

 private:
  std::vector<CMenuItem*> items;
  CBitmap* bgWhenClick = nullptr;
  int32_t itemsPerColumn = -1;
  int32_t lastResult = -1;
};

class CSplashScreen : public CControl {
 public:
  // A press with the left button shows `background` over `toDisplay` (from
  // `offset` in the bitmap) as the frame's modal view; a press on it removes it.
  CSplashScreen(const CRect& size, CControlListener* listener, int32_t tag, CBitmap* background,
                const CRect& toDisplay, const CPoint& offset = CPoint(0, 0));
  CSplashScreen(const CSplashScreen& other);
  ~CSplashScreen() override;

  // Draws nothing: the hotspot is invisible.
  void draw(CDrawContext* context) override;
  CMouseEventResult onMouseDown(CPoint& where, const CButtonState& buttons) override;
  bool removed(CFrame* parent) override;
  virtual void splash();
  // Value back to the minimum; removes the modal view only when it is this
  // splash screen's own.
  virtual void unSplash();
  const CRect& getDisplayArea() const { return toDisplay; }

  bool isTypeOf(const char* type) const override;
  CView* newCopy() const override { return new CSplashScreen(*this); }

 protected:
  CRect toDisplay;
  CPoint offset;
  CView* splashView = nullptr;
};
