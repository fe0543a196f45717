// Helpers of the toolkit tests: BMP files made in memory, a view that records
// its events, a listener and an editor interface that record what reaches them,
// short forms of synthetic mouse events, and a headless frame for control tests.
#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "gui/aeffguieditor.h"
#include "gui/cbitmap.h"
#include "gui/ccontrol.h"
#include "gui/cframe.h"
#include "gui/guiwindow.h"

namespace guitest {

// A BMP file image of w × h pixels; pixel(x, y) gives 0xAARRGGBB (not
// premultiplied). bits: 8 (palette of the colours used), 24 or 32 (alpha kept).
// `bitfields` writes a 32-bit image as BI_BITFIELDS with masks after the header.
struct BmpOptions {
  bool fileHeader = true;
  bool topDown = false;
  bool bitfields = false;
};
std::vector<uint8_t> makeBmp(int w, int h, int bits,
                             const std::function<uint32_t(int x, int y)>& pixel,
                             BmpOptions options = {});

// Registers a BMP under a resource number for the life of the object.
class RegisteredBitmap {
 public:
  RegisteredBitmap(int32_t id, std::vector<uint8_t> bytes);
  ~RegisteredBitmap();
  RegisteredBitmap(const RegisteredBitmap&) = delete;
  RegisteredBitmap& operator=(const RegisteredBitmap&) = delete;

 private:
  int32_t id;
  std::vector<uint8_t> bytes;
};

// A bitmap of `images` stacked images of w × h; image k is filled with colour(k).
CBitmap* stackedBitmap(int32_t id, int w, int h, int images,
                       const std::function<uint32_t(int k)>& colour,
                       std::vector<std::unique_ptr<RegisteredBitmap>>& keep);

struct RecordingListener : CControlListener {
  struct Change {
    int32_t tag;
    float value;
  };
  std::vector<Change> changes;
  int begins = 0;
  int ends = 0;
  void valueChanged(CControl* control) override {
    changes.push_back({control->getTag(), control->getValue()});
  }
  void controlBeginEdit(CControl*) override { ++begins; }
  void controlEndEdit(CControl*) override { ++ends; }
};

// Edits as the frame passes them on: "b<tag>" and "e<tag>".
struct EditRecorder : VSTGUIEditorInterface {
  std::vector<std::string> edits;
  int32_t knobMode = kCircularMode;
  int idleStuff = 0;
  int chosenZoom = 0;  // what the frame's zoom menu chose
  void zoomChosen(int percent) override { chosenZoom = percent; }
  void beginEdit(int32_t index) override {
    edits.push_back(std::to_string(index).insert(0, 1, 'b'));
  }
  void endEdit(int32_t index) override { edits.push_back(std::to_string(index).insert(0, 1, 'e')); }
  int32_t getKnobMode() const override { return knobMode; }
  void doIdleStuff() override { ++idleStuff; }
};

// A view that records every event and answers as configured.
class ProbeView : public CView {
 public:
  explicit ProbeView(const CRect& size, std::vector<std::string>* log = nullptr,
                     const char* name = "probe")
      : CView(size), log(log), name(name) {}
  CMouseEventResult downResult = kMouseEventHandled;
  int32_t keyResult = -1;
  bool wheelResult = true;
  int draws = 0;
  CButtonState lastButtons;
  CButtonState lastDownButtons;
  CPoint lastWhere;
  float lastDistance = 0;
  bool* destroyed = nullptr;
  ~ProbeView() override {
    if (destroyed != nullptr) {
      *destroyed = true;
    }
  }

  void draw(CDrawContext* context) override {
    ++draws;
    CView::draw(context);
  }
  CMouseEventResult onMouseDown(CPoint& where, const CButtonState& buttons) override {
    note("down", where, buttons);
    lastDownButtons = buttons;
    return downResult;
  }
  CMouseEventResult onMouseUp(CPoint& where, const CButtonState& buttons) override {
    note("up", where, buttons);
    return kMouseEventHandled;
  }
  CMouseEventResult onMouseMoved(CPoint& where, const CButtonState& buttons) override {
    note("moved", where, buttons);
    return kMouseEventHandled;
  }
  CMouseEventResult onMouseEntered(CPoint& where, const CButtonState& buttons) override {
    note("entered", where, buttons);
    return kMouseEventHandled;
  }
  CMouseEventResult onMouseExited(CPoint& where, const CButtonState& buttons) override {
    note("exited", where, buttons);
    return kMouseEventHandled;
  }
  bool onWheel(const CPoint& where, const float& distance, const CButtonState& buttons) override {
    lastDistance = distance;
    note("wheel", where, buttons);
    return wheelResult;
  }
  int32_t onKeyDown(VstKeyCode& key) override {
    if (log != nullptr) {
      log->push_back(name + ":key" + std::to_string(key.character));
    }
    return keyResult;
  }

 private:
  void note(const char* what, const CPoint& where, const CButtonState& buttons) {
    lastWhere = where;
    lastButtons = buttons;
    if (log != nullptr) {
      log->push_back(name + ":" + what);
    }
  }
  std::vector<std::string>* log;
  std::string name;
};

// A window that records what the frame asks of it, in order.
struct RecordingWindow : platform::FrameWindow {
  explicit RecordingWindow(std::vector<std::string>& log, bool* destroyed = nullptr)
      : log(log), destroyed(destroyed) {}
  ~RecordingWindow() override {
    if (destroyed != nullptr) {
      *destroyed = true;
    }
  }
  void handleEvents() override { log.push_back("events"); }
  void present(const platform::IntRect& a) override {
    log.push_back("present " + std::to_string(a.left) + "," + std::to_string(a.top) + "," +
                  std::to_string(a.right) + "," + std::to_string(a.bottom));
  }
  void drainEvents() override { log.push_back("drain"); }
  void popupMenu(COptionMenu&, MenuDone done) override {
    log.push_back("popup");
    done(menuAnswer);
  }
  void focusChanged(bool hasFocusView) override {
    log.push_back(hasFocusView ? "focus" : "nofocus");
  }
  std::vector<std::string>& log;
  bool* destroyed;
  int32_t menuAnswer = -1;
};

inline CMouseEventResult down(CFrame& frame, CCoord x, CCoord y, int32_t buttons = kLButton) {
  CPoint where(x, y);
  return frame.onMouseDown(where, buttons);
}
inline CMouseEventResult moved(CFrame& frame, CCoord x, CCoord y, int32_t buttons = kLButton) {
  CPoint where(x, y);
  return frame.onMouseMoved(where, buttons);
}
inline CMouseEventResult up(CFrame& frame, CCoord x, CCoord y, int32_t buttons = kLButton) {
  CPoint where(x, y);
  return frame.onMouseUp(where, buttons);
}
inline bool wheel(CFrame& frame, CCoord x, CCoord y, float distance, int32_t buttons = 0) {
  return frame.onWheel(CPoint(x, y), distance, buttons);
}
inline VstKeyCode key(int32_t character, unsigned char virt = 0, unsigned char modifier = 0) {
  VstKeyCode code{};
  code.character = character;
  code.virt = virt;
  code.modifier = modifier;
  return code;
}

// Grey level k (40·k in each channel): image k of a test bitmap.
uint32_t grey(int k);

// A headless frame with an edit recorder as its editor; closing it at the end
// must release every toolkit object made in the test.
class FrameTest : public ::testing::Test {
 protected:
  explicit FrameTest(CRect size = CRect(0, 0, 200, 100)) : frameSize(size) {}
  void SetUp() override;
  void TearDown() override;
  // A bitmap of `count` stacked images of w × h, image k in grey(k).
  CBitmap* images(int w, int h, int count);
  // The image shown at (x, y) after an idle pass: the grey level's index.
  int shown(int x, int y);

  CRect frameSize;
  int32_t liveBefore = 0;
  std::vector<std::unique_ptr<RegisteredBitmap>> keep;
  EditRecorder editor;
  CFrame* frame = nullptr;
};

}  // namespace guitest
