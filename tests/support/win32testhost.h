// A stand-in host for window tests on Windows: a top-level parent window, its
// message pump, and mouse and key messages posted to the frame's window. No
// Windows types here, so tests stay free of platform headers.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace win32test {

// Virtual keys the tests press.
enum Key : unsigned {
  kBack = 0x08,
  kReturn = 0x0D,
  kEscape = 0x1B,
  kEnd = 0x23,
  kHome = 0x24,
  kLeft = 0x25,
  kDown = 0x28,
  kDelete = 0x2E,
};

struct ScreenRect {
  int left = 0;
  int top = 0;
  int right = 0;
  int bottom = 0;
};

class TestHost {
 public:
  static std::unique_ptr<TestHost> open(int width, int height);
  ~TestHost();
  TestHost(const TestHost&) = delete;
  TestHost& operator=(const TestHost&) = delete;

  void* parent() const;
  // Handles every message waiting in the thread's queue.
  void pump();
  // Mouse messages to the frame's window, in its coordinates; `shift` holds
  // the shift key in the message's key state.
  void press(int x, int y, bool right = false, bool isDouble = false, bool shift = false);
  void release(int x, int y, bool right = false);
  void moveTo(int x, int y, bool leftHeld = false);
  void wheel(int x, int y, int clicks, bool horizontal = false);
  // Keys go to the window that has the focus (the frame's, or a control in it).
  void key(unsigned virtualKey);
  void type(const char* text);
  // The keyboard focus on the host's top-level window, standing for another of
  // the host's windows: the plug-in must hand it back there.
  static void focusTopLevel();
  static bool topLevelHasFocus();
  // The window class of the focus window ("Edit" for a native text field).
  std::string focusedClass() const;
  // The frame's window pixels as 0x00RRGGBB.
  std::vector<uint32_t> grab(int width, int height);
  // Windows inside the parent, at any depth.
  int childWindows() const;
  // Whether the frame's window class is registered in this program.
  static bool frameClassRegistered();
  // The next popup menu gets `downs` Down keys and Return, or Escape (downs < 0).
  void answerNextMenu(int downs);
  // Where the last popup menu answered stood on the screen.
  static ScreenRect lastMenu();
  // Moves the host's top-level window, which holds the parent at its
  // top-left corner, to this screen position.
  static void placeTopLevel(int x, int y);
  // The next common file dialog gets this file name and OK, or Cancel (null).
  static void answerNextFileDialog(const char* path);
  void destroyParent();

 private:
  TestHost() = default;
  void* window = nullptr;
  void* child() const;
  void* keyTarget() const;
};

}  // namespace win32test
