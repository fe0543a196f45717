// The frame's window on Windows: a WS_CHILD window of the host's HWND with its
// own class. Messages arrive through the host's message loop; painting copies
// the frame's image, which is already a 32-bit top-down DIB in memory.
#include <windows.h>
// after windows.h, which it needs
#include <windowsx.h>

#include <algorithm>
#include <cmath>
#include <new>

#include "gui/cframe.h"
#include "gui/coptionmenu.h"
#include "gui/ctextedit.h"
#include "gui/guiwindow.h"
#include "platform/module.h"
#include "platform/windows/dibheader.h"
#include "platform/windows/utf16.h"
#include "platform/windows/win32textfield.h"

namespace platform {

namespace {

constexpr wchar_t kClassName[] = L"OndexFrameWindow";
// Closes the text field's EDIT control outside of that control's own messages.
constexpr UINT kCloseTextField = WM_APP + 1;
int liveWindows = 0;  // the class is registered while any window lives

HINSTANCE instance() {
  auto module = static_cast<HINSTANCE>(moduleHandle());
  return module != nullptr ? module : GetModuleHandleW(nullptr);
}

int32_t modifiersNow() {
  int32_t state = 0;
  if (GetKeyState(VK_SHIFT) < 0) state |= kShift;
  if (GetKeyState(VK_CONTROL) < 0) state |= kControl;
  if (GetKeyState(VK_MENU) < 0) state |= kAlt;
  return state;
}

int32_t buttonsOf(WPARAM keys) {
  int32_t state = 0;
  if (keys & MK_LBUTTON) state |= kLButton;
  if (keys & MK_MBUTTON) state |= kMButton;
  if (keys & MK_RBUTTON) state |= kRButton;
  if (keys & MK_SHIFT) state |= kShift;
  if (keys & MK_CONTROL) state |= kControl;
  if (GetKeyState(VK_MENU) < 0) state |= kAlt;
  return state;
}

unsigned char virtualKeyFor(WPARAM key) {
  switch (key) {
    case VK_BACK:
      return VKEY_BACK;
    case VK_TAB:
      return VKEY_TAB;
    case VK_CLEAR:
      return VKEY_CLEAR;
    case VK_RETURN:
      return VKEY_RETURN;
    case VK_PAUSE:
      return VKEY_PAUSE;
    case VK_ESCAPE:
      return VKEY_ESCAPE;
    case VK_END:
      return VKEY_END;
    case VK_HOME:
      return VKEY_HOME;
    case VK_LEFT:
      return VKEY_LEFT;
    case VK_UP:
      return VKEY_UP;
    case VK_RIGHT:
      return VKEY_RIGHT;
    case VK_DOWN:
      return VKEY_DOWN;
    case VK_PRIOR:
      return VKEY_PAGEUP;
    case VK_NEXT:
      return VKEY_PAGEDOWN;
    case VK_INSERT:
      return VKEY_INSERT;
    case VK_DELETE:
      return VKEY_DELETE;
    default:
      return 0;
  }
}

unsigned char keyModifiers() {
  unsigned char modifier = 0;
  if (GetKeyState(VK_SHIFT) < 0) modifier |= MODIFIER_SHIFT;
  if (GetKeyState(VK_CONTROL) < 0) modifier |= MODIFIER_CONTROL;
  if (GetKeyState(VK_MENU) < 0) modifier |= MODIFIER_ALTERNATE;
  return modifier;
}

class Win32FrameWindow final : public FrameWindow {
 public:
  Win32FrameWindow(CFrame& frame, HWND parent) : frame(frame), parent(parent) {}
  ~Win32FrameWindow() override {
    const bool editing = textField != nullptr && GetFocus() == textField->handle();
    delete textField;  // first: its control must not commit into a closing frame
    if (editing && focusBefore != nullptr && IsWindow(focusBefore)) {
      SetFocus(focusBefore);  // a window closed while editing hands the keys back too
    }
    if (window != nullptr) {
      SetWindowLongPtrW(window, GWLP_USERDATA, 0);
      DestroyWindow(window);
    }
    if (--liveWindows == 0) {
      UnregisterClassW(kClassName, instance());
    }
  }
  Win32FrameWindow(const Win32FrameWindow&) = delete;
  Win32FrameWindow& operator=(const Win32FrameWindow&) = delete;

  bool create() {
    if (liveWindows++ == 0) {
      WNDCLASSEXW wc{};
      wc.cbSize = sizeof wc;
      wc.style = CS_DBLCLKS;
      wc.lpfnWndProc = &Win32FrameWindow::windowProc;
      wc.hInstance = instance();
      wc.hCursor = LoadCursorW(nullptr, MAKEINTRESOURCEW(32512) /* IDC_ARROW */);
      wc.lpszClassName = kClassName;
      RegisterClassExW(&wc);
    }
    window = CreateWindowExW(0, kClassName, L"", WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN, 0, 0,
                             frame.getPixelWidth(), frame.getPixelHeight(), parent, nullptr,
                             instance(), this);
    return window != nullptr;
  }

  void resize(int width, int height) override {
    if (window != nullptr) {
      SetWindowPos(window, nullptr, 0, 0, width, height,
                   SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    }
  }

  void handleEvents() override {}  // the host's message loop delivers them

  void present(const IntRect& area) override {
    if (window == nullptr) {
      return;
    }
    if (HDC dc = GetDC(window)) {
      paint(dc, area);
      ReleaseDC(window, dc);
    }
  }

  void drainEvents() override {}  // the common dialogs run their own loop

  // TrackPopupMenuEx runs its own message loop, which keeps the host's
  // windows alive: the choice is reported before this returns.
  void popupMenu(COptionMenu& menu, MenuDone done) override { done(trackPopupMenu(menu)); }

  int32_t trackPopupMenu(COptionMenu& menu) {
    HMENU popup = window != nullptr ? CreatePopupMenu() : nullptr;
    if (popup == nullptr) {
      return -1;
    }
    const int32_t current = menu.getCurrentIndex();
    for (int32_t i = 0; i < menu.getNbEntries(); ++i) {
      const CMenuItem* item = menu.getEntry(i);
      if (item->isSeparator()) {
        AppendMenuW(popup, MF_SEPARATOR, 0, nullptr);
        continue;
      }
      UINT flags = MF_STRING;
      if (!item->isEnabled() || item->isTitle()) flags |= MF_GRAYED;
      if (i == current || item->isChecked()) flags |= MF_CHECKED;
      AppendMenuW(popup, flags, UINT_PTR(i + 1), widen(item->getTitle()).c_str());
    }
    // Below the button, or above it when the menu would cross the bottom of
    // the monitor's work area (its height estimated from the entries, with
    // the bottom anchored at the button so the estimate need not be exact).
    // Windows moves it sideways at the edges, keeps it off the button
    // (rcExclude) and scrolls a menu taller than the screen.
    const IntRect at = frame.toPixels(menu.getViewSize());
    POINT corners[2] = {{LONG(at.left), LONG(at.top)}, {LONG(at.right), LONG(at.bottom)}};
    MapWindowPoints(window, nullptr, corners, 2);
    MONITORINFO monitor{};
    monitor.cbSize = sizeof monitor;
    GetMonitorInfoW(MonitorFromPoint(corners[1], MONITOR_DEFAULTTONEAREST), &monitor);
    const LONG estimate = LONG(menu.getNbEntries()) * std::max(GetSystemMetrics(SM_CYMENU), 20) + 8;
    const bool above = corners[1].y + estimate > monitor.rcWork.bottom &&
                       corners[0].y - monitor.rcWork.top > monitor.rcWork.bottom - corners[1].y;
    TPMPARAMS exclude{};
    exclude.cbSize = sizeof exclude;
    exclude.rcExclude = {corners[0].x, corners[0].y, corners[1].x, corners[1].y};
    const UINT flags = TPM_RETURNCMD | TPM_NONOTIFY | TPM_LEFTALIGN | TPM_VERTICAL |
                       (above ? TPM_BOTTOMALIGN : TPM_TOPALIGN);
    const int chosen = int(TrackPopupMenuEx(popup, flags, corners[0].x,
                                            above ? corners[0].y : corners[1].y, window, &exclude));
    DestroyMenu(popup);
    return chosen - 1;
  }

  void focusChanged(bool hasFocusView) override {
    if (window == nullptr) {
      return;
    }
    HWND focused = GetFocus();
    const bool ours = focused == window || (textField != nullptr && focused == textField->handle());
    if (hasFocusView) {
      // Where the keys went before: they go back there when the edit ends,
      // so the host's shortcuts work again.
      if (!ours) {
        focusBefore = focused;
      }
      delete textField;
      textField = nullptr;
      CView* view = frame.getFocusView();
      if (view != nullptr && view->isTypeOf("CTextEdit")) {
        textField =
            new (std::nothrow) Win32TextField(frame, window, *static_cast<CTextEdit*>(view));
        if (textField != nullptr && textField->handle() == nullptr) {
          delete textField;
          textField = nullptr;
        }
      }
      if (textField == nullptr) {
        SetFocus(window);  // the focused view takes the keys
      }
      return;
    }
    const bool leaving = textField != nullptr && textField->losingFocus();
    if (textField != nullptr) {
      PostMessageW(window, kCloseTextField, 0, 0);
    }
    // A focus leaving for a window the user clicked stays there.
    if (ours && !leaving) {
      SetFocus(focusBefore != nullptr && IsWindow(focusBefore) ? focusBefore : parent);
    }
    focusBefore = nullptr;
  }

 private:
  void paint(HDC dc, const IntRect& area) {
    const PixelImage image = frame.getImage();
    const BITMAPINFO info = topDownDib(image.stride, image.height);
    const auto [left, top, right, bottom] = insideImage(area, image);
    if (right <= left || bottom <= top) {
      return;
    }
    // Whole rows from the image's top; the source rectangle picks the area.
    SetDIBitsToDevice(dc, left, top, DWORD(right - left), DWORD(bottom - top), left,
                      image.height - bottom, 0, UINT(image.height), image.pixels, &info,
                      DIB_RGB_COLORS);
  }

  void mouseDown(WPARAM keys, LPARAM where, int32_t button, bool isDouble) {
    if (textField != nullptr) {
      textField->syncText();  // a click elsewhere commits what the control holds
    }
    SetCapture(window);  // a drag keeps the pointer outside the window
    CPoint point(GET_X_LPARAM(where), GET_Y_LPARAM(where));
    frame.onMouseDown(point,
                      button | (buttonsOf(keys) & kModifierMask) | (isDouble ? kDoubleClick : 0));
  }

  void mouseUp(WPARAM keys, LPARAM where, int32_t button) {
    if ((keys & (MK_LBUTTON | MK_MBUTTON | MK_RBUTTON)) == 0) {
      ReleaseCapture();
    }
    CPoint point(GET_X_LPARAM(where), GET_Y_LPARAM(where));
    frame.onMouseUp(point, button | (buttonsOf(keys) & kModifierMask));
  }

  void wheel(WPARAM wParam, LPARAM where) {
    POINT point{GET_X_LPARAM(where), GET_Y_LPARAM(where)};
    ScreenToClient(window, &point);
    // Up and right step forward: the same sign in both wheel messages.
    const float distance = float(GET_WHEEL_DELTA_WPARAM(wParam)) / float(WHEEL_DELTA);
    frame.onWheel(CPoint(point.x, point.y), distance, buttonsOf(GET_KEYSTATE_WPARAM(wParam)));
  }

  LRESULT handle(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
      case WM_PAINT: {
        PAINTSTRUCT ps;
        HDC dc = BeginPaint(window, &ps);
        paint(dc, {ps.rcPaint.left, ps.rcPaint.top, ps.rcPaint.right, ps.rcPaint.bottom});
        EndPaint(window, &ps);
        return 0;
      }
      case WM_ERASEBKGND:
        return 1;  // WM_PAINT covers every pixel
      case WM_LBUTTONDOWN:
        mouseDown(wParam, lParam, kLButton, false);
        return 0;
      case WM_LBUTTONDBLCLK:
        mouseDown(wParam, lParam, kLButton, true);
        return 0;
      case WM_MBUTTONDOWN:
        mouseDown(wParam, lParam, kMButton, false);
        return 0;
      case WM_MBUTTONDBLCLK:
        mouseDown(wParam, lParam, kMButton, true);
        return 0;
      case WM_RBUTTONDOWN:
        mouseDown(wParam, lParam, kRButton, false);
        return 0;
      case WM_RBUTTONDBLCLK:
        mouseDown(wParam, lParam, kRButton, true);
        return 0;
      case WM_LBUTTONUP:
        mouseUp(wParam, lParam, kLButton);
        return 0;
      case WM_MBUTTONUP:
        mouseUp(wParam, lParam, kMButton);
        return 0;
      case WM_RBUTTONUP:
        mouseUp(wParam, lParam, kRButton);
        return 0;
      case WM_MOUSEMOVE: {
        CPoint point(GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam));
        if (!tracking) {
          TRACKMOUSEEVENT track{sizeof track, TME_LEAVE, window, 0};
          tracking = TrackMouseEvent(&track) != FALSE;
          frame.onMouseEntered(point, buttonsOf(wParam));
        }
        frame.onMouseMoved(point, buttonsOf(wParam));
        return 0;
      }
      case WM_MOUSELEAVE: {
        tracking = false;
        CPoint point;
        frame.onMouseExited(point, modifiersNow());
        return 0;
      }
      case WM_MOUSEWHEEL:
        wheel(wParam, lParam);
        return 0;
      case WM_MOUSEHWHEEL:
        wheel(wParam, lParam);
        return 0;
      case WM_CAPTURECHANGED:
        return 0;
      case WM_NCDESTROY:
        window = nullptr;  // the host destroyed its window, and ours with it
        return 0;
      case WM_KEYDOWN:
      case WM_KEYUP: {
        VstKeyCode code{};
        code.virt = virtualKeyFor(wParam);
        code.modifier = keyModifiers();
        if (code.virt == 0) {
          break;  // characters come with WM_CHAR
        }
        const int32_t used = message == WM_KEYDOWN ? frame.onKeyDown(code) : frame.onKeyUp(code);
        return used > 0 ? 0 : DefWindowProcW(window, message, wParam, lParam);
      }
      case WM_CHAR: {
        if (wParam < 0x20 || wParam == 0x7F) {
          return 0;  // control characters came as virtual keys
        }
        VstKeyCode code{};
        code.character = int32_t(wParam);
        code.virt = wParam == L' ' ? VKEY_SPACE : 0;
        code.modifier = keyModifiers();
        frame.onKeyDown(code);
        return 0;
      }
      case WM_KILLFOCUS:
        if (textField == nullptr || HWND(wParam) != textField->handle()) {
          frame.setFocusView(nullptr);  // leaving commits the text being edited
        }
        return 0;
      case kCloseTextField:
        if (textField != nullptr && frame.getFocusView() == nullptr) {
          delete textField;
          textField = nullptr;
        }
        return 0;
      case WM_GETDLGCODE:
        return DLGC_WANTALLKEYS | DLGC_WANTCHARS;
      default:
        break;
    }
    return DefWindowProcW(window, message, wParam, lParam);
  }

  static LRESULT CALLBACK windowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NCCREATE) {
      auto* create = reinterpret_cast<CREATESTRUCTW*>(lParam);
      auto* self = static_cast<Win32FrameWindow*>(create->lpCreateParams);
      self->window = hwnd;
      SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
    }
    auto* self = reinterpret_cast<Win32FrameWindow*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
    return self != nullptr ? self->handle(message, wParam, lParam)
                           : DefWindowProcW(hwnd, message, wParam, lParam);
  }

  CFrame& frame;
  HWND parent;
  HWND window = nullptr;
  Win32TextField* textField = nullptr;
  HWND focusBefore = nullptr;
  bool tracking = false;
};

}  // namespace

FrameWindow* openFrameWindow(CFrame& frame, void* parent) {
  if (parent == nullptr || !IsWindow(static_cast<HWND>(parent))) {
    return nullptr;
  }
  auto* window = new (std::nothrow) Win32FrameWindow(frame, static_cast<HWND>(parent));
  if (window != nullptr && !window->create()) {
    delete window;
    window = nullptr;
  }
  return window;
}

}  // namespace platform
