// A stand-in host for window tests on X11: a top-level parent window and real
// pointer and key input through the XTest extension. No X11 types here, so
// tests stay free of platform headers.
#pragma once

#include <cstdint>
#include <memory>
#include <vector>

namespace x11test {

// KeySyms the tests press.
enum Key : unsigned long {
  kSpace = 0x20,
  kBackSpace = 0xFF08,
  kReturn = 0xFF0D,
  kEscape = 0xFF1B,
  kHome = 0xFF50,
  kLeft = 0xFF51,
  kDown = 0xFF54,
  kEnd = 0xFF57,
  kDelete = 0xFFFF,
  kShiftL = 0xFFE1,
};

struct ScreenRect {
  int x = 0;
  int y = 0;
  int width = 0;
  int height = 0;
};

class TestHost {
 public:
  // nullptr without a display or without XTest.
  static std::unique_ptr<TestHost> open(int width, int height);
  ~TestHost();
  TestHost(const TestHost&) = delete;
  TestHost& operator=(const TestHost&) = delete;

  // The parent window as effEditOpen passes it.
  void* parent() const;
  // Pointer and keys; positions relative to the parent window's origin.
  void moveTo(int x, int y);
  void button(int number, bool press);
  void click(int x, int y, int number = 1);
  void key(unsigned long keysym, bool press);
  void tap(unsigned long keysym);
  void type(const char* text);
  // Waits until the server has handled every request sent so far.
  void sync();

  // The parent window's pixels (children included) as 0x00RRGGBB.
  std::vector<uint32_t> grab(int x, int y, int width, int height);
  // What the screen shows there (other windows too), as 0x00RRGGBB.
  std::vector<uint32_t> grabScreen(const ScreenRect& area);
  int childWindows() const;
  // The override-redirect window on screen (the popup), if any.
  bool findPopup(ScreenRect& where) const;
  // Moves the parent window to this screen position (its origin for the
  // positions above).
  void placeAt(int screenX, int screenY);
  // The keyboard focus on the root window, standing for another of the host's
  // windows: the plug-in must hand it back there.
  void focusRoot();
  bool rootHasFocus() const;
  // Key presses that reached the parent window (the host's shortcuts) since
  // the last call.
  int keysAtParent();
  // Destroys the parent before the plug-in closes, as careless hosts do.
  void destroyParent();

 private:
  struct State;
  explicit TestHost(std::unique_ptr<State> state);
  std::unique_ptr<State> state;
};

}  // namespace x11test
