#include "gui/cview.h"

#include <cstring>

#include "gui/cbitmap.h"
#include "gui/cdrawcontext.h"
#include "gui/cframe.h"

CView::CView(const CRect& size) : size(size), mouseableArea(size) {}

CView::CView(const CView& other)
    : CBaseObject(other),
      size(other.size),
      mouseableArea(other.mouseableArea),
      background(other.background),
      backOffset(other.backOffset),
      dirty(other.dirty),
      mouseEnabled(other.mouseEnabled),
      transparent(other.transparent) {
  if (background != nullptr) {
    background->remember();
  }
}

CView::~CView() {
  if (background != nullptr) {
    background->forget();
  }
}

void CView::draw(CDrawContext* context) {
  if (background != nullptr) {
    background->draw(context, size, backOffset);
  }
  setDirty(false);
}

void CView::invalid() {
  setDirty(true);
  if (frame != nullptr) {
    frame->invalidRect(size);
  }
}

CMouseEventResult CView::onMouseDown(CPoint&, const CButtonState&) {
  return kMouseEventNotImplemented;
}
CMouseEventResult CView::onMouseUp(CPoint&, const CButtonState&) {
  return kMouseEventNotImplemented;
}
CMouseEventResult CView::onMouseMoved(CPoint&, const CButtonState&) {
  return kMouseEventNotImplemented;
}
CMouseEventResult CView::onMouseEntered(CPoint&, const CButtonState&) {
  return kMouseEventNotImplemented;
}
CMouseEventResult CView::onMouseExited(CPoint&, const CButtonState&) {
  return kMouseEventNotImplemented;
}
bool CView::onWheel(const CPoint&, const float&, const CButtonState&) { return false; }
int32_t CView::onKeyDown(VstKeyCode&) { return -1; }
int32_t CView::onKeyUp(VstKeyCode&) { return -1; }

bool CView::hitTest(const CPoint& where, const CButtonState&) {
  return mouseableArea.pointInside(where);
}

void CView::setViewSize(const CRect& rect, bool invalidate) {
  if (invalidate) {
    invalid();
  }
  size = rect;
  mouseableArea = rect;
  if (invalidate) {
    invalid();
  }
}

void CView::setBackground(CBitmap* bitmap) {
  if (bitmap != nullptr) {
    bitmap->remember();
  }
  if (background != nullptr) {
    background->forget();
  }
  background = bitmap;
  setDirty(true);
}

bool CView::attached(CFrame* parent) {
  frame = parent;
  return true;
}

bool CView::removed(CFrame*) {
  frame = nullptr;
  return true;
}

bool CView::isTypeOf(const char* type) const {
  return std::strcmp(type, "CView") == 0 || CBaseObject::isTypeOf(type);
}
