// The binding of the toolkit to a VST 2.4 editor: AEffGUIEditor is the
// AEffEditor that the host boundary dispatches to, and the frame's
// VSTGUIEditorInterface (knob mode, edits to the effect, idle hook, ticks).
#pragma once

#include <atomic>
#include <cstdint>
#include <functional>

#include "gui/guitypes.h"
#include "host/aeffeditor.h"

class CFrame;

class VSTGUIEditorInterface {
 public:
  virtual ~VSTGUIEditorInterface() = default;
  // Lets the host run its idle while the toolkit is busy (a long drag).
  virtual void doIdleStuff() {}
  virtual int32_t getKnobMode() const { return kCircularMode; }
  // An edit gesture on the parameter of that index, passed to the effect.
  virtual void beginEdit(int32_t /*index*/) {}
  virtual void endEdit(int32_t /*index*/) {}
  virtual CFrame* getFrame() const { return frame; }
  // The zoom a frame opens at in that parent window, and the user's choice of
  // another from the frame's zoom menu.
  virtual int openingZoom(void* /*parent*/) { return 100; }
  virtual void zoomChosen(int /*percent*/) {}

 protected:
  CFrame* frame = nullptr;
};

class AEffGUIEditor : public AEffEditor, public VSTGUIEditorInterface {
 public:
  // Registers itself as the effect's editor.
  explicit AEffGUIEditor(AudioEffect* effect);
  ~AEffGUIEditor() override;

  // The window rectangle at the zoom the window has (or will open at); a
  // derived class sets `rect`, the size at 100 %.
  bool getRect(ERect** ppRect) override;
  // Records the parent window; a derived editor creates its frame in it.
  bool open(void* parent) override;
  // Closes the frame if the derived editor has not done so.
  void close() override;
  // The frame's idle pass (redraw of dirty views); not re-entered from doIdleStuff.
  void idle() override;
  // Key events go to the frame; true when a view used the key.
  bool onKeyDown(VstKeyCode& keyCode) override;
  bool onKeyUp(VstKeyCode& keyCode) override;
  // The knob mode is shared by every instance of the editor; an atomic, since
  // instances may live on different threads.
  bool setKnobMode(VstInt32 mode) override;
  int32_t getKnobMode() const override { return knobMode.load(std::memory_order_relaxed); }

  void beginEdit(int32_t index) override;
  void endEdit(int32_t index) override;
  int openingZoom(void* parent) override;
  // Stores the choice; this window follows at once, every other open one at
  // its next idle pass.
  void zoomChosen(int percent) override;
  // The host's scale of its window, as a zoom: followed where the user has
  // chosen none, by an open window at once.
  void hostZoomChanged(int percent);
  // Asks the host for an idle (masterIdle), at most once per kIdleRate ms.
  void doIdleStuff() override;

  // Milliseconds of system uptime, 32 bits, wrapping.
  uint32_t getTicks() const;
  // Tests replace the system's tick count; an empty function restores it.
  static void setTickSource(std::function<uint32_t()> source);

  static constexpr uint32_t kIdleRate = 100;

 protected:
  ERect rect{};

 private:
  // Resizes the open window to the zoom and asks the host to follow.
  void applyZoom(int percent);

  static inline std::atomic<int32_t> knobMode{kCircularMode};
  ERect zoomedRect{};
  uint32_t zoomChoicesSeen = 0;
  int hostZoom = 0;  // 0: the host told no scale
  uint32_t lastIdleTicks = 0;
  bool idleTicksValid = false;
  bool inIdleStuff = false;
};
