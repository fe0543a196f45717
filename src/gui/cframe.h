// The frame: the window's view of the toolkit. It owns its views (drawn in the
// order they were added), routes mouse and key events to them, holds the modal
// view and the pointer position, and redraws dirty views into its offscreen
// 32-bit image at each idle pass. A frame lives without any window (headless)
// until the platform layer shows it in one. Its zoom (100, 150 or 200 %) is
// the frame's alone: views keep their 100 % coordinates, and the frame maps
// drawing, invalidation and the window's pointer positions.
#pragma once

#include <functional>
#include <optional>
#include <vector>

#include "gui/cview.h"
#include "gui/guiplatform.h"
#include "gui/guiwindow.h"

class COptionMenu;
class VSTGUIEditorInterface;

class CFrame : public CView {
 public:
  CFrame(const CRect& size, VSTGUIEditorInterface* editor);
  // Creates the frame and opens it in the host's parent window.
  CFrame(const CRect& size, void* parent, VSTGUIEditorInterface* editor);
  ~CFrame() override;
  CFrame(const CFrame&) = delete;
  CFrame& operator=(const CFrame&) = delete;

  // Opens the frame's window in the host's parent window; false when the
  // platform cannot make it (the frame stays headless). A null parent keeps the
  // frame headless, as is a frame that was never opened.
  bool open(void* parent);
  bool hasWindow() const { return window != nullptr; }
  // The window's event descriptor, or -1 (see FrameWindow::eventSource).
  int eventSource() const { return window != nullptr ? window->eventSource() : -1; }
  void* getSystemWindow() const { return systemWindow; }
  // Removes and releases every view (the modal view too), closes the window,
  // then releases itself.
  void close();

  VSTGUIEditorInterface* getEditor() const { return editor; }
  int32_t getKnobMode() const;
  // An edit gesture of the control with that tag, passed to the editor binding.
  void beginEdit(int32_t tag);
  void endEdit(int32_t tag);

  // Views. addView takes over the caller's reference; removeView releases it.
  bool addView(CView* view);
  bool removeView(CView* view, bool withForget = true);
  bool removeAll(bool withForget = true);
  bool isChild(const CView* view) const;
  int32_t getNbViews() const { return int32_t(views.size()); }
  CView* getView(int32_t index) const;
  // The topmost view whose rectangle holds the point, the modal view first; top
  // level only (containers are not descended into).
  CView* getViewAt(const CPoint& where, bool deep = false) const;

  // While a modal view is set it receives every mouse event. Setting one takes
  // over the caller's reference; setting none hands it back unreleased. False
  // when another modal view is already set.
  bool setModalView(CView* view);
  CView* getModalView() const { return modalView; }

  void setFocusView(CView* view);
  CView* getFocusView() const { return focusView; }

  // The last pointer position inside the frame; false when the pointer is not
  // over it (never entered, or left).
  bool getCurrentMouseLocation(CPoint& where) const;

  // The zoom in percent: 100, 150 or 200; anything else is refused. A change
  // resizes the image (and the window) and redraws everything.
  bool setZoom(int percent);
  int getZoom() const { return zoom; }
  // The image's (and the window's) size in pixels.
  int getPixelWidth() const { return imageWidth; }
  int getPixelHeight() const { return imageHeight; }
  // A position in window pixels as the views see it, and a 100 % area as the
  // pixels that show it.
  CPoint toViews(const CPoint& pixel) const;
  platform::IntRect toPixels(const CRect& area) const;

  // Events, in window pixels, from the platform window or a test; the views
  // get them in their 100 % coordinates.
  CMouseEventResult onMouseDown(CPoint& where, const CButtonState& buttons) override;
  CMouseEventResult onMouseUp(CPoint& where, const CButtonState& buttons) override;
  CMouseEventResult onMouseMoved(CPoint& where, const CButtonState& buttons) override;
  CMouseEventResult onMouseEntered(CPoint& where, const CButtonState& buttons) override;
  CMouseEventResult onMouseExited(CPoint& where, const CButtonState& buttons) override;
  bool onWheel(const CPoint& where, const float& distance, const CButtonState& buttons) override;
  int32_t onKeyDown(VstKeyCode& keyCode) override;
  int32_t onKeyUp(VstKeyCode& keyCode) override;

  // Drawing. idle() handles the window's events, redraws what is dirty and
  // shows it; true when it drew anything.
  bool idle();
  void draw(CDrawContext* context) override;
  void drawRect(CDrawContext* context, const CRect& area);
  void invalidRect(const CRect& area);
  void invalid() override { setDirty(true); }
  void setDirty(bool state = true) override;
  bool isDirty() const override;
  void setBackgroundColor(const CColor& color) { backgroundColor = color; }
  platform::PixelImage getImage();
  uint32_t getPixel(int x, int y) const;

  // The popup of an option menu: the platform shows the entries and `done`
  // gets the chosen index, or -1, once the user has chosen; nothing waits for
  // it (see FrameWindow::popupMenu). Headless frames answer -1 at once unless
  // a handler is set, which answers at once too.
  using MenuPopup = std::function<int32_t(COptionMenu* menu)>;
  void setMenuPopup(MenuPopup popup) { menuPopup = std::move(popup); }
  void popupMenu(COptionMenu* menu, platform::FrameWindow::MenuDone done);
  // Keeps the window painted while a modal dialog runs.
  void drainWindowEvents();

  // Work that ends later without holding the host's thread (a file dialog's
  // child process): each idle pass polls it until `poll` says it is done,
  // then releases `owner`. A frame that closes releases it unfinished, so the
  // owner's destructor ends the work.
  void addIdleWork(CBaseObject* owner, std::function<bool()> poll);
  int32_t getNbIdleWork() const { return int32_t(idleWork.size()); }

  bool isTypeOf(const char* type) const override;
  CView* newCopy() const override { return nullptr; }

 private:
  void teardown();
  CRect bounds() const;  // the frame's own area at 100 %
  // The menu of a right click on no view: the three zooms, the current checked.
  void showZoomMenu(const CPoint& where);
  void forgetReferencesTo(const CView* view);
  CView* viewUnder(const CPoint& where, const CButtonState& buttons) const;
  void checkMouseViews(CPoint& where, const CButtonState& buttons);

  VSTGUIEditorInterface* editor;
  void* systemWindow = nullptr;
  platform::FrameWindow* window = nullptr;
  std::vector<CView*> views;
  CView* modalView = nullptr;
  CView* mouseDownView = nullptr;
  CView* mouseOverView = nullptr;
  CView* focusView = nullptr;
  std::optional<CPoint> mouseLocation;
  MenuPopup menuPopup;
  struct IdleWork {
    CBaseObject* owner;
    std::function<bool()> poll;
  };
  std::vector<IdleWork> idleWork;
  void pollIdleWork();
  void releaseIdleWork();
  CColor backgroundColor = kBlackCColor;
  int zoom = 100;
  int imageWidth;
  int imageHeight;
  std::vector<uint32_t> pixels;
  std::vector<CRect> invalidRects;
  bool fullRedraw = true;
};
