// The native EDIT control that the Win32 frame window puts over a text field
// while it is edited: it opens with the whole text selected, Ctrl+A selects
// all, typing stops at the field's length in UTF-8 bytes; Return commits,
// Escape cancels, losing the focus commits.
#pragma once

#include <windows.h>

#include <string>

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
  // True while the focus leaves for a window the user chose: it stays there.
  bool losingFocus() const { return leaving; }

 private:
  void finish(bool commit);
  std::wstring windowText() const;
  // Undoes an edit that made the text longer than the field keeps.
  LRESULT keepWithinLength(UINT message, WPARAM wParam, LPARAM lParam);
  static LRESULT CALLBACK editProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);

  CFrame& frame;
  CTextEdit& text;
  HWND edit = nullptr;
  HFONT font = nullptr;
  WNDPROC original = nullptr;
  bool finishing = false;
  bool leaving = false;
};

}  // namespace platform
