#include "gui/cframe.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <iterator>
#include <new>
#include <string>

#include "gui/aeffguieditor.h"
#include "gui/cbitmap.h"
#include "gui/cdrawcontext.h"
#include "gui/coptionmenu.h"
#include "gui/zoomscale.h"

namespace {

// Holds a reference to a view while an event handler runs, which may remove it.
class ViewGuard {
 public:
  explicit ViewGuard(CView* view) : view(view) { view->remember(); }
  ~ViewGuard() { view->forget(); }
  ViewGuard(const ViewGuard&) = delete;
  ViewGuard& operator=(const ViewGuard&) = delete;

 private:
  CView* view;
};

}  // namespace

CFrame::CFrame(const CRect& size, VSTGUIEditorInterface* editor)
    : CView(size),
      editor(editor),
      imageWidth(std::max(0, int(std::lround(size.getWidth())))),
      imageHeight(std::max(0, int(std::lround(size.getHeight())))),
      pixels(size_t(imageWidth) * size_t(imageHeight), 0xFF000000u) {}

CFrame::CFrame(const CRect& size, void* parent, VSTGUIEditorInterface* editor)
    : CFrame(size, editor) {
  if (editor != nullptr) {
    setZoom(editor->openingZoom(parent));
  }
  open(parent);
}

CFrame::~CFrame() { teardown(); }

bool CFrame::setZoom(int percent) {
  if (!isZoom(percent)) {
    return false;
  }
  if (percent == zoom) {
    return true;
  }
  setFocusView(nullptr);  // a text being edited is committed before its field moves
  zoom = percent;
  imageWidth = zoomedLength(int(std::lround(size.getWidth())), zoom);
  imageHeight = zoomedLength(int(std::lround(size.getHeight())), zoom);
  pixels.assign(size_t(imageWidth) * size_t(imageHeight), 0xFF000000u);
  setDirty(true);
  if (window != nullptr) {
    window->resize(imageWidth, imageHeight);
  }
  return true;
}

CPoint CFrame::toViews(const CPoint& pixel) const {
  return {pixel.x * 100.0 / zoom, pixel.y * 100.0 / zoom};
}

platform::IntRect CFrame::toPixels(const CRect& area) const {
  // Outward: every pixel that shows a part of the area.
  const double s = zoom / 100.0;
  return {int(std::floor(area.left * s)), int(std::floor(area.top * s)),
          std::min(imageWidth, int(std::ceil(area.right * s))),
          std::min(imageHeight, int(std::ceil(area.bottom * s)))};
}

CRect CFrame::bounds() const { return {0, 0, size.getWidth(), size.getHeight()}; }

bool CFrame::open(void* parent) {
  delete window;
  window = nullptr;
  systemWindow = parent;
  setDirty(true);
  if (parent == nullptr) {
    return true;
  }
  window = platform::createFrameWindow(*this, parent);
  return window != nullptr;
}

void CFrame::teardown() {
  // The window goes first: no event may reach views being removed.
  delete window;
  window = nullptr;
  releaseIdleWork();    // a dialog still open ends unanswered
  focusView = nullptr;  // closing is no commit of a text being edited
  mouseDownView = nullptr;
  mouseOverView = nullptr;
  if (modalView != nullptr) {
    CView* modal = modalView;
    modalView = nullptr;
    modal->removed(this);
    modal->forget();
  }
  removeAll(true);
  systemWindow = nullptr;
}

void CFrame::close() {
  teardown();
  forget();
}

int32_t CFrame::getKnobMode() const {
  return editor != nullptr ? editor->getKnobMode() : int32_t(kCircularMode);
}

void CFrame::beginEdit(int32_t tag) {
  if (editor != nullptr) {
    editor->beginEdit(tag);
  }
}

void CFrame::endEdit(int32_t tag) {
  if (editor != nullptr) {
    editor->endEdit(tag);
  }
}

bool CFrame::addView(CView* view) {
  if (view == nullptr || view->isAttached()) {
    return false;
  }
  views.push_back(view);
  view->attached(this);
  invalidRect(view->getViewSize());
  return true;
}

void CFrame::forgetReferencesTo(const CView* view) {
  if (mouseDownView == view) {
    mouseDownView = nullptr;
  }
  if (mouseOverView == view) {
    mouseOverView = nullptr;
  }
  if (focusView == view) {
    focusView = nullptr;
  }
}

bool CFrame::removeView(CView* view, bool withForget) {
  const auto found = std::find(views.begin(), views.end(), view);
  if (found == views.end()) {
    return false;
  }
  views.erase(found);
  forgetReferencesTo(view);
  invalidRect(view->getViewSize());
  view->removed(this);
  if (withForget) {
    view->forget();
  }
  return true;
}

bool CFrame::removeAll(bool withForget) {
  while (!views.empty()) {
    removeView(views.front(), withForget);
  }
  return true;
}

bool CFrame::isChild(const CView* view) const {
  return std::find(views.begin(), views.end(), view) != views.end();
}

CView* CFrame::getView(int32_t index) const {
  return index >= 0 && index < int32_t(views.size()) ? views[size_t(index)] : nullptr;
}

CView* CFrame::getViewAt(const CPoint& where, bool) const {
  if (modalView != nullptr && modalView->getViewSize().pointInside(where)) {
    return modalView;
  }
  for (auto it = views.rbegin(); it != views.rend(); ++it) {
    if ((*it)->getViewSize().pointInside(where)) {
      return *it;
    }
  }
  return nullptr;
}

bool CFrame::setModalView(CView* view) {
  if (view != nullptr && modalView != nullptr) {
    return false;
  }
  if (view == nullptr) {
    if (modalView != nullptr) {
      CView* old = modalView;
      modalView = nullptr;
      forgetReferencesTo(old);
      invalidRect(old->getViewSize());
      old->removed(this);
    }
    return true;
  }
  if (view->isAttached()) {
    return false;
  }
  // The views under the pointer lose it to the modal view.
  if (mouseOverView != nullptr && mouseLocation) {
    CView* old = mouseOverView;
    mouseOverView = nullptr;
    CPoint where = *mouseLocation;
    old->onMouseExited(where, 0);
  }
  mouseDownView = nullptr;
  modalView = view;
  view->attached(this);
  invalidRect(view->getViewSize());
  return true;
}

void CFrame::setFocusView(CView* view) {
  if (view == focusView) {
    return;
  }
  CView* old = focusView;
  focusView = view;
  if (old != nullptr) {
    old->looseFocus();
  }
  if (view != nullptr && focusView == view) {
    view->takeFocus();
  }
  if (window != nullptr) {
    window->focusChanged(focusView != nullptr);
  }
}

bool CFrame::getCurrentMouseLocation(CPoint& where) const {
  if (!mouseLocation) {
    return false;
  }
  where = *mouseLocation;
  return true;
}

CView* CFrame::viewUnder(const CPoint& where, const CButtonState& buttons) const {
  if (modalView != nullptr) {
    return modalView->hitTest(where, buttons) ? modalView : nullptr;
  }
  for (auto it = views.rbegin(); it != views.rend(); ++it) {
    if ((*it)->getMouseEnabled() && (*it)->hitTest(where, buttons)) {
      return *it;
    }
  }
  return nullptr;
}

void CFrame::checkMouseViews(CPoint& where, const CButtonState& buttons) {
  CView* over = viewUnder(where, buttons);
  if (over == mouseOverView) {
    return;
  }
  if (mouseOverView != nullptr) {
    CView* old = mouseOverView;
    mouseOverView = nullptr;
    ViewGuard guard(old);
    old->onMouseExited(where, buttons);
  }
  if (over != nullptr && (isChild(over) || over == modalView)) {
    mouseOverView = over;
    ViewGuard guard(over);
    over->onMouseEntered(where, buttons);
  }
}

CMouseEventResult CFrame::onMouseDown(CPoint& pixel, const CButtonState& buttons) {
  CPoint at = toViews(pixel);
  mouseLocation = at;
  if (focusView != nullptr && !focusView->hitTest(at, buttons)) {
    setFocusView(nullptr);
  }
  mouseDownView = nullptr;
  if (modalView != nullptr) {
    CView* modal = modalView;
    ViewGuard guard(modal);
    const CMouseEventResult result = modal->onMouseDown(at, buttons);
    if (result == kMouseEventHandled && modalView == modal) {
      mouseDownView = modal;
    }
    return result;
  }
  // The topmost view under the pointer first; a view that declines passes the
  // press to the views below it.
  for (size_t i = views.size(); i-- > 0;) {
    if (i >= views.size()) {
      continue;
    }
    CView* view = views[i];
    if (!view->getMouseEnabled() || !view->hitTest(at, buttons)) {
      continue;
    }
    ViewGuard guard(view);
    const CMouseEventResult result = view->onMouseDown(at, buttons);
    if (result == kMouseEventNotHandled || result == kMouseEventNotImplemented) {
      continue;
    }
    if (result == kMouseEventHandled && isChild(view) && modalView == nullptr) {
      mouseDownView = view;
    }
    return result;
  }
  if ((buttons & kRButton) != 0 && getViewAt(at) == nullptr && editor != nullptr) {
    showZoomMenu(at);
    return kMouseEventHandled;
  }
  return kMouseEventNotHandled;
}

void CFrame::showZoomMenu(const CPoint& where) {
  // An empty rectangle at the pointer: the menu opens where the click was.
  auto* menu =
      new (std::nothrow) COptionMenu(CRect(where.x, where.y, where.x, where.y), nullptr, -1);
  if (menu == nullptr) {
    return;
  }
  for (size_t i = 0; i < kZooms.size(); ++i) {
    menu->addEntry(("Zoom " + std::to_string(kZooms[i]) + " %").c_str());
    if (kZooms[i] == zoom) {
      menu->setCurrent(int32_t(i));
    }
  }
  popupMenu(menu, [this](int32_t chosen) {
    if (chosen >= 0 && chosen < int32_t(kZooms.size()) && editor != nullptr) {
      editor->zoomChosen(kZooms[size_t(chosen)]);
    }
  });
  menu->forget();  // an open popup holds its own reference
}

CMouseEventResult CFrame::onMouseUp(CPoint& pixel, const CButtonState& buttons) {
  CPoint at = toViews(pixel);
  mouseLocation = at;
  CMouseEventResult result = kMouseEventNotHandled;
  if (mouseDownView != nullptr) {
    CView* view = mouseDownView;
    mouseDownView = nullptr;
    ViewGuard guard(view);
    result = view->onMouseUp(at, buttons);
  }
  checkMouseViews(at, buttons);
  return result;
}

CMouseEventResult CFrame::onMouseMoved(CPoint& pixel, const CButtonState& buttons) {
  CPoint at = toViews(pixel);
  mouseLocation = at;
  if (mouseDownView != nullptr) {
    CView* view = mouseDownView;
    ViewGuard guard(view);
    const CMouseEventResult result = view->onMouseMoved(at, buttons);
    if (result == kMouseMoveEventHandledButDontNeedMoreEvents && mouseDownView == view) {
      mouseDownView = nullptr;
    }
    // A drag keeps the host's idle going, as a modal drag loop would.
    if (editor != nullptr) {
      editor->doIdleStuff();
    }
    return result;
  }
  checkMouseViews(at, buttons);
  // A button held from a press that no view took (on the bare panel) drags
  // nothing: a control only follows a drag that began on it.
  if (mouseOverView != nullptr && !(buttons & kButtonMask)) {
    CView* view = mouseOverView;
    ViewGuard guard(view);
    return view->onMouseMoved(at, buttons);
  }
  return kMouseEventNotHandled;
}

CMouseEventResult CFrame::onMouseEntered(CPoint& pixel, const CButtonState& buttons) {
  CPoint at = toViews(pixel);
  mouseLocation = at;
  checkMouseViews(at, buttons);
  return kMouseEventHandled;
}

CMouseEventResult CFrame::onMouseExited(CPoint& pixel, const CButtonState& buttons) {
  CPoint at = toViews(pixel);
  mouseLocation.reset();
  if (mouseOverView != nullptr) {
    CView* old = mouseOverView;
    mouseOverView = nullptr;
    ViewGuard guard(old);
    old->onMouseExited(at, buttons);
  }
  return kMouseEventHandled;
}

bool CFrame::onWheel(const CPoint& pixel, const float& distance, const CButtonState& buttons) {
  const CPoint at = toViews(pixel);
  mouseLocation = at;
  if (modalView != nullptr) {
    CView* modal = modalView;
    ViewGuard guard(modal);
    return modal->onWheel(at, distance, buttons);
  }
  for (size_t i = views.size(); i-- > 0;) {
    if (i >= views.size()) {
      continue;
    }
    CView* view = views[i];
    if (view->getMouseEnabled() && view->hitTest(at, buttons)) {
      ViewGuard guard(view);
      if (view->onWheel(at, distance, buttons)) {
        return true;
      }
    }
  }
  return false;
}

int32_t CFrame::onKeyDown(VstKeyCode& keyCode) {
  if (focusView != nullptr) {
    CView* view = focusView;
    ViewGuard guard(view);
    const int32_t result = view->onKeyDown(keyCode);
    if (result != -1) {
      return result;
    }
  }
  if (modalView != nullptr) {
    CView* modal = modalView;
    ViewGuard guard(modal);
    return modal->onKeyDown(keyCode);
  }
  return -1;
}

int32_t CFrame::onKeyUp(VstKeyCode& keyCode) {
  if (focusView != nullptr) {
    CView* view = focusView;
    ViewGuard guard(view);
    const int32_t result = view->onKeyUp(keyCode);
    if (result != -1) {
      return result;
    }
  }
  if (modalView != nullptr) {
    CView* modal = modalView;
    ViewGuard guard(modal);
    return modal->onKeyUp(keyCode);
  }
  return -1;
}

void CFrame::invalidRect(const CRect& area) {
  CRect r = area;
  r.bound(bounds());
  if (r.isEmpty() || fullRedraw) {
    return;
  }
  auto contains = [](const CRect& outer, const CRect& inner) {
    return inner.left >= outer.left && inner.top >= outer.top && inner.right <= outer.right &&
           inner.bottom <= outer.bottom;
  };
  for (const CRect& known : invalidRects) {
    if (contains(known, r)) {
      return;
    }
  }
  invalidRects.erase(std::remove_if(invalidRects.begin(), invalidRects.end(),
                                    [&](const CRect& known) { return contains(r, known); }),
                     invalidRects.end());
  invalidRects.push_back(r);
}

void CFrame::setDirty(bool state) {
  fullRedraw = state;
  if (!state) {
    invalidRects.clear();
  }
}

bool CFrame::isDirty() const { return fullRedraw || !invalidRects.empty(); }

bool CFrame::idle() {
  if (window != nullptr) {
    window->handleEvents();
  }
  pollIdleWork();
  for (CView* view : views) {
    if (view->isDirty()) {
      invalidRect(view->getViewSize());
    }
  }
  if (modalView != nullptr && modalView->isDirty()) {
    invalidRect(modalView->getViewSize());
  }
  if (!isDirty()) {
    return false;
  }
  std::vector<CRect> areas;
  if (fullRedraw) {
    areas.push_back(bounds());
  } else {
    areas.swap(invalidRects);
  }
  fullRedraw = false;
  invalidRects.clear();
  CDrawContext context(getImage(), zoom);
  for (const CRect& area : areas) {
    drawRect(&context, area);
  }
  if (window != nullptr) {
    for (const CRect& area : areas) {
      window->present(toPixels(area));
    }
  }
  return true;
}

void CFrame::draw(CDrawContext* context) { drawRect(context, bounds()); }

void CFrame::drawRect(CDrawContext* context, const CRect& area) {
  CRect saved;
  context->getClipRect(saved);
  context->setClipRect(area);
  context->setFillColor(backgroundColor);
  context->fillRect(area);
  if (background != nullptr) {
    background->draw(context, bounds(), backOffset);
  }
  // Drawing may not add or remove views; a copy keeps the pass safe if it does.
  const std::vector<CView*> order = views;
  for (CView* view : order) {
    if (view->getViewSize().rectOverlap(area)) {
      view->draw(context);
    }
  }
  if (modalView != nullptr && modalView->getViewSize().rectOverlap(area)) {
    modalView->draw(context);
  }
  context->setClipRect(saved);
}

platform::PixelImage CFrame::getImage() {
  return {pixels.data(), imageWidth, imageHeight, imageWidth};
}

uint32_t CFrame::getPixel(int x, int y) const {
  if (x < 0 || y < 0 || x >= imageWidth || y >= imageHeight) {
    return 0;
  }
  return pixels[size_t(y) * size_t(imageWidth) + size_t(x)];
}

void CFrame::popupMenu(COptionMenu* menu, platform::FrameWindow::MenuDone done) {
  if (menuPopup) {
    done(menuPopup(menu));
  } else if (window != nullptr && menu != nullptr) {
    window->popupMenu(*menu, std::move(done));
  } else {
    done(-1);
  }
}

void CFrame::addIdleWork(CBaseObject* owner, std::function<bool()> poll) {
  owner->remember();
  idleWork.push_back({owner, std::move(poll)});
}

void CFrame::pollIdleWork() {
  // A poll that finishes may start new work (a dialog after a dialog): the
  // list is taken out while they run, and what they add joins the unfinished.
  std::vector<IdleWork> running;
  running.swap(idleWork);
  std::vector<IdleWork> unfinished;
  for (IdleWork& work : running) {
    if (work.poll()) {
      work.owner->forget();
    } else {
      unfinished.push_back(std::move(work));
    }
  }
  unfinished.insert(unfinished.end(), std::make_move_iterator(idleWork.begin()),
                    std::make_move_iterator(idleWork.end()));
  idleWork.swap(unfinished);
}

void CFrame::releaseIdleWork() {
  std::vector<IdleWork> dropped;
  dropped.swap(idleWork);
  for (IdleWork& work : dropped) {
    work.owner->forget();
  }
}

void CFrame::drainWindowEvents() {
  if (window != nullptr) {
    window->drainEvents();
  }
}

bool CFrame::isTypeOf(const char* type) const {
  return std::strcmp(type, "CFrame") == 0 || CView::isTypeOf(type);
}
