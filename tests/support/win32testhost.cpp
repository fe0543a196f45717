#include "win32testhost.h"

#include <windows.h>

#include "platform/windows/dibheader.h"

namespace win32test {

namespace {

HWND hwnd(void* handle) { return static_cast<HWND>(handle); }

LPARAM at(int x, int y) { return MAKELPARAM(x, y); }

int menuDowns = 0;
RECT menuRect{};

// Runs inside the popup menu's own loop: keys to the menu, then the timer ends.
void CALLBACK answerMenu(HWND, UINT, UINT_PTR id, DWORD) {
  HWND menu = FindWindowW(L"#32768", nullptr);
  if (menu == nullptr || !IsWindowVisible(menu)) {
    return;
  }
  KillTimer(nullptr, id);
  GetWindowRect(menu, &menuRect);
  if (menuDowns < 0) {
    PostMessageW(menu, WM_KEYDOWN, VK_ESCAPE, 0);
    return;
  }
  for (int i = 0; i < menuDowns; ++i) {
    PostMessageW(menu, WM_KEYDOWN, VK_DOWN, 0);
  }
  PostMessageW(menu, WM_KEYDOWN, VK_RETURN, 0);
}

std::string dialogAnswer;
bool dialogCancels = false;

// Runs inside the file dialog's own loop once the dialog is up.
void CALLBACK answerFileDialog(HWND, UINT, UINT_PTR id, DWORD) {
  HWND dialog = FindWindowW(L"#32770", nullptr);
  if (dialog == nullptr || !IsWindowVisible(dialog)) {
    return;
  }
  KillTimer(nullptr, id);
  if (dialogCancels) {
    PostMessageW(dialog, WM_COMMAND, IDCANCEL, 0);
    return;
  }
  // The file name box: a combo box (0x47C) in the explorer style, else an edit (0x480).
  if (!SetDlgItemTextA(dialog, 0x47C, dialogAnswer.c_str())) {
    SetDlgItemTextA(dialog, 0x480, dialogAnswer.c_str());
  }
  PostMessageW(dialog, WM_COMMAND, IDOK, 0);
}

// One top-level window for the whole run: without a window manager, Wine waits
// two seconds for each destroyed top-level window. Each host is a child of it.
HWND topLevel() {
  static HWND window = nullptr;
  if (window == nullptr) {
    WNDCLASSW wc{};
    wc.lpfnWndProc = DefWindowProcW;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.lpszClassName = L"OndexTestHost";
    RegisterClassW(&wc);
    window = CreateWindowExW(0, L"OndexTestHost", L"test host", WS_POPUP | WS_VISIBLE, 40, 30, 400,
                             300, nullptr, nullptr, GetModuleHandleW(nullptr), nullptr);
  }
  return window;
}

}  // namespace

std::unique_ptr<TestHost> TestHost::open(int width, int height) {
  HWND top = topLevel();
  if (top == nullptr) {
    return nullptr;
  }
  HWND parent = CreateWindowExW(0, L"OndexTestHost", L"", WS_CHILD | WS_VISIBLE, 0, 0, width,
                                height, top, nullptr, GetModuleHandleW(nullptr), nullptr);
  if (parent == nullptr) {
    return nullptr;
  }
  std::unique_ptr<TestHost> host(new TestHost());
  host->window = parent;
  host->pump();
  return host;
}

TestHost::~TestHost() {
  if (window != nullptr) {
    DestroyWindow(hwnd(window));
  }
  pump();
}

void* TestHost::parent() const { return window; }

void* TestHost::child() const {
  return window != nullptr ? GetWindow(hwnd(window), GW_CHILD) : nullptr;
}

void TestHost::pump() {
  MSG msg;
  while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
    TranslateMessage(&msg);
    DispatchMessageW(&msg);
  }
}

void TestHost::press(int x, int y, bool right, bool isDouble, bool shift) {
  UINT message = right ? (isDouble ? WM_RBUTTONDBLCLK : WM_RBUTTONDOWN)
                       : (isDouble ? WM_LBUTTONDBLCLK : WM_LBUTTONDOWN);
  WPARAM keys = (right ? MK_RBUTTON : MK_LBUTTON) | (shift ? MK_SHIFT : 0);
  PostMessageW(hwnd(child()), message, keys, at(x, y));
  pump();
}

void TestHost::release(int x, int y, bool right) {
  PostMessageW(hwnd(child()), right ? WM_RBUTTONUP : WM_LBUTTONUP, 0, at(x, y));
  pump();
}

void TestHost::moveTo(int x, int y, bool leftHeld) {
  PostMessageW(hwnd(child()), WM_MOUSEMOVE, leftHeld ? MK_LBUTTON : 0, at(x, y));
  pump();
}

void TestHost::wheel(int x, int y, int clicks, bool horizontal) {
  POINT screen{x, y};
  ClientToScreen(hwnd(child()), &screen);
  PostMessageW(hwnd(child()), horizontal ? WM_MOUSEHWHEEL : WM_MOUSEWHEEL,
               MAKEWPARAM(0, short(clicks * WHEEL_DELTA)), at(screen.x, screen.y));
  pump();
}

void* TestHost::keyTarget() const {
  HWND focused = GetFocus();
  return focused != nullptr && IsChild(hwnd(window), focused) ? focused : child();
}

void TestHost::focusTopLevel() { SetFocus(topLevel()); }

bool TestHost::topLevelHasFocus() { return GetFocus() == topLevel(); }

std::string TestHost::focusedClass() const {
  char name[64] = "";
  if (HWND focused = GetFocus()) {
    GetClassNameA(focused, name, int(sizeof name));
  }
  return name;
}

void TestHost::key(unsigned virtualKey) {
  PostMessageW(hwnd(keyTarget()), WM_KEYDOWN, virtualKey, 1);
  PostMessageW(hwnd(keyTarget()), WM_KEYUP, virtualKey, LPARAM(0xC0000001));
  pump();
}

void TestHost::type(const char* text) {
  for (const char* c = text; *c != '\0'; ++c) {
    PostMessageW(hwnd(keyTarget()), WM_CHAR, WPARAM(static_cast<unsigned char>(*c)), 1);
  }
  pump();
}

std::vector<uint32_t> TestHost::grab(int width, int height) {
  std::vector<uint32_t> pixels(size_t(width) * size_t(height), 0);
  HWND target = hwnd(child());
  HDC source = GetDC(target);
  HDC memory = CreateCompatibleDC(source);
  const BITMAPINFO info = platform::topDownDib(width, height);
  void* bits = nullptr;
  HBITMAP bitmap = CreateDIBSection(memory, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
  HGDIOBJ old = SelectObject(memory, bitmap);
  BitBlt(memory, 0, 0, width, height, source, 0, 0, SRCCOPY);
  GdiFlush();
  const auto* words = static_cast<const uint32_t*>(bits);
  for (size_t i = 0; i < pixels.size(); ++i) {
    pixels[i] = words[i] & 0xFFFFFFu;
  }
  SelectObject(memory, old);
  DeleteObject(bitmap);
  DeleteDC(memory);
  ReleaseDC(target, source);
  return pixels;
}

int TestHost::childWindows() const {
  if (window == nullptr) {
    return 0;
  }
  int count = 0;
  EnumChildWindows(
      hwnd(window),
      [](HWND, LPARAM counter) -> BOOL {
        ++*reinterpret_cast<int*>(counter);
        return TRUE;
      },
      reinterpret_cast<LPARAM>(&count));
  return count;
}

bool TestHost::frameClassRegistered() {
  WNDCLASSEXW info{};
  info.cbSize = sizeof info;
  return GetClassInfoExW(GetModuleHandleW(nullptr), L"OndexFrameWindow", &info) != FALSE;
}

void TestHost::answerNextMenu(int downs) {
  menuDowns = downs;
  SetTimer(nullptr, 0, 30, answerMenu);
}

ScreenRect TestHost::lastMenu() {
  return {menuRect.left, menuRect.top, menuRect.right, menuRect.bottom};
}

void TestHost::placeTopLevel(int x, int y) {
  SetWindowPos(topLevel(), nullptr, x, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void TestHost::answerNextFileDialog(const char* path) {
  dialogCancels = path == nullptr;
  dialogAnswer = path != nullptr ? path : "";
  SetTimer(nullptr, 0, 50, answerFileDialog);
}

void TestHost::destroyParent() {
  DestroyWindow(hwnd(window));
  window = nullptr;
  pump();
}

}  // namespace win32test
