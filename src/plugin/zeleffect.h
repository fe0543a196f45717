// The effect interface over Zel: the one place that turns the interface's
// calls into the effect's own operations and answers what the effect asks of
// its host (time, pins, rate) from the block it is given.
#pragma once

#include <atomic>
#include <thread>

#include "host/vst2.h"
#include "plugin/ondexeffect.h"

class Zel;

class ZelEffect final : public OndexEffect, private EffectListener {
 public:
  ZelEffect() = default;
  ~ZelEffect() override;
  ZelEffect(const ZelEffect&) = delete;
  ZelEffect& operator=(const ZelEffect&) = delete;
  // Makes the effect; false when memory ran out.
  bool init();

  void setListener(EffectListener* listener) override { outer.store(listener); }
  float parameter(uint32_t id) const override;
  float setParameter(uint32_t id, float value, ValueSource from) override;
  void parameterText(uint32_t id, float value, char* text, size_t size) const override;
  bool parameterFromText(uint32_t id, const char* text, float& value) const override;
  bool activate(double sampleRate, uint32_t maxFrames) override;
  void deactivate() override;
  void reset() override;
  void process(const AudioBlock& audio, const BlockEvent* events, size_t count,
               const Transport* transport) override;
  uint32_t tailFrames() const override;
  size_t saveState(const unsigned char*& bytes) override;
  bool loadState(const unsigned char* bytes, size_t size) override;
  int programCount() const override;
  int currentProgram() const override;
  void programName(int index, char (&name)[kProgramNameSize + 1]) const override;
  void selectProgram(int index) override;
  bool hasEditor() const override;
  bool editorSize(uint32_t& width, uint32_t& height) const override;
  bool openEditor(void* parent) override;
  void idleEditor() override;
  void closeEditor() override;
  int editorEventSource() const override;
  void scaleEditor(float factor) override;

  // What the effect asks of its host (its audioMaster callback lands here).
  VstIntPtr answer(VstInt32 opcode, VstInt32 index, VstIntPtr value, void* ptr);

 private:
  void effectChanged(const EffectChange& change) override;
  bool editorResizeWanted(int32_t width, int32_t height) override;
  // Tells the listener that other values' texts moved with the change.
  void tellTextsMoved(const EffectChange& cause);
  void renderSpan(const AudioBlock& audio, uint32_t from, uint32_t to);
  void applyMidi(const uint8_t (&bytes)[3]);

  Zel* zel = nullptr;
  AEffect* record = nullptr;
  std::atomic<EffectListener*> outer{nullptr};
  bool editorOpen = false;

  // Audio thread (or the thread that applies events without audio): the
  // block being processed, and the time it reports.
  std::atomic<std::thread::id> blockThread{};
  uint32_t spanStart = 0;
  bool rightInput = false;
  bool rightOutput = false;
  Transport transport;
  uint32_t transportFrame = 0;  // where in the block the transport was given
  bool hasTransport = false;
  VstTimeInfo timeInfo{};
  float* silence = nullptr;
  uint32_t maxFrames = 0;
  bool active = false;
};
