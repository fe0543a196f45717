#include "platform/windows/win32textfield.h"

#include <cmath>
#include <string>

#include "gui/cframe.h"
#include "gui/ctextedit.h"
#include "platform/windows/utf16.h"

namespace platform {

Win32TextField::Win32TextField(CFrame& frame, HWND owner, CTextEdit& text)
    : frame(frame), text(text) {
  // The field's place and font at the frame's zoom.
  const IntRect r = frame.toPixels(text.getViewSize());
  const CFontRef desc = text.getFont() != nullptr ? text.getFont() : kNormalFont;
  font = CreateFontW(-int(std::lround(desc->getSize() * frame.getZoom() / 100.0)), 0, 0, 0,
                     (desc->getStyle() & kBoldFace) ? FW_BOLD : FW_NORMAL,
                     (desc->getStyle() & kItalicFace) ? TRUE : FALSE, FALSE, FALSE, DEFAULT_CHARSET,
                     OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH,
                     widen(desc->getName()).c_str());
  const std::wstring initial = widen(text.getEditText());
  edit = CreateWindowExW(0, L"EDIT", initial.c_str(), WS_CHILD | WS_VISIBLE | ES_AUTOHSCROLL,
                         r.left, r.top, r.right - r.left, r.bottom - r.top, owner, nullptr,
                         GetModuleHandleW(nullptr), nullptr);
  if (edit == nullptr) {
    return;
  }
  SendMessageW(edit, WM_SETFONT, WPARAM(font), FALSE);
  // A UTF-16 unit is at least one UTF-8 byte: a first bound; the exact one
  // is kept as each edit is made.
  SendMessageW(edit, EM_LIMITTEXT, text.getMaxLength(), 0);
  SendMessageW(edit, EM_SETSEL, 0, -1);  // typing replaces the whole text
  SetWindowLongPtrW(edit, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
  original = reinterpret_cast<WNDPROC>(
      SetWindowLongPtrW(edit, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&editProc)));
  SetFocus(edit);
}

Win32TextField::~Win32TextField() {
  finishing = true;
  if (edit != nullptr) {
    SetWindowLongPtrW(edit, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(original));
    SetWindowLongPtrW(edit, GWLP_USERDATA, 0);
    DestroyWindow(edit);
  }
  if (font != nullptr) {
    DeleteObject(font);
  }
}

std::wstring Win32TextField::windowText() const {
  const int length = GetWindowTextLengthW(edit);
  std::wstring wide(size_t(length) + 1, L'\0');
  GetWindowTextW(edit, wide.data(), length + 1);
  wide.resize(size_t(length));
  return wide;
}

void Win32TextField::syncText() {
  if (edit == nullptr) {
    return;
  }
  text.setEditText(narrow(windowText()).c_str());
}

LRESULT Win32TextField::keepWithinLength(UINT message, WPARAM wParam, LPARAM lParam) {
  const std::wstring before = windowText();
  DWORD from = 0;
  DWORD to = 0;
  SendMessageW(edit, EM_GETSEL, WPARAM(&from), LPARAM(&to));
  const LRESULT result = CallWindowProcW(original, edit, message, wParam, lParam);
  if (narrow(windowText()).size() > text.getMaxLength()) {
    SetWindowTextW(edit, before.c_str());
    SendMessageW(edit, EM_SETSEL, from, to);
  }
  return result;
}

void Win32TextField::finish(bool commit) {
  if (finishing) {
    return;
  }
  finishing = true;
  if (commit) {
    syncText();
  }
  // The text field ends its edit as it does for these keys; the frame then
  // drops the focus, and its window closes this control (and this object).
  VstKeyCode key{};
  key.virt = commit ? VKEY_RETURN : VKEY_ESCAPE;
  frame.onKeyDown(key);
}

LRESULT CALLBACK Win32TextField::editProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  auto* self = reinterpret_cast<Win32TextField*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
  if (self == nullptr) {
    return DefWindowProcW(hwnd, message, wParam, lParam);
  }
  switch (message) {
    case WM_GETDLGCODE:
      return DLGC_WANTALLKEYS | DLGC_WANTCHARS;
    case WM_KEYDOWN:
      if (wParam == VK_RETURN || wParam == VK_ESCAPE) {
        self->finish(wParam == VK_RETURN);  // may destroy this control: touch nothing after
        return 0;
      }
      break;
    case WM_CHAR:
      if (wParam == L'\r' || wParam == 0x1B) {
        return 0;  // no beep for the keys handled above
      }
      if (wParam == 0x01) {  // Ctrl+A
        SendMessageW(hwnd, EM_SETSEL, 0, -1);
        return 0;
      }
      if (wParam >= 0x20) {
        return self->keepWithinLength(message, wParam, lParam);
      }
      break;
    case WM_PASTE:
      return self->keepWithinLength(message, wParam, lParam);
    case WM_KILLFOCUS:
      if (!self->finishing) {
        self->leaving = true;
        const WNDPROC original = self->original;
        self->finish(true);
        return CallWindowProcW(original, hwnd, message, wParam, lParam);
      }
      break;
    default:
      break;
  }
  return CallWindowProcW(self->original, hwnd, message, wParam, lParam);
}

}  // namespace platform
