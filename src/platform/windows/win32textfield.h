// The native EDIT control that the Win32 frame window puts over a text field
// while it is edited: Return commits, Escape cancels, losing the focus commits.
#pragma once

#include <windows.h>

class CFrame;
class CTextEdit;

namespace platform {

class Win32TextField {
 public:
  // Opens an EDIT control over the frame's focused text field (if it is one).
  Win32TextField(CFrame& frame, HWND owner, CTextEdit& text);
  ~Win32TextField();
  Win32TextField(const Win32TextField&) = delete;
  Win32TextField& operator=(const Win32TextField&) = delete;

  HWND handle() const { return edit; }
  // Hands the control's text to the text field, which commits it when the
  // frame takes the focus away.
  void syncText();

 private:
  void finish(bool commit);
  static LRESULT CALLBACK editProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);

  CFrame& frame;
  CTextEdit& text;
  HWND edit = nullptr;
  HFONT font = nullptr;
  WNDPROC original = nullptr;
  bool finishing = false;
};

}  // namespace platform
