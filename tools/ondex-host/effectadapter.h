// The effect record the host's commands drive, for a plug-in of another
// interface: the record's entries call the adapter's methods, so one host
// serves every interface through the same code.
#pragma once

#include <string>
#include <vector>

#include "host/vst2.h"

class EffectAdapter {
 public:
  explicit EffectAdapter(audioMasterCallback host);
  virtual ~EffectAdapter() = default;
  EffectAdapter(const EffectAdapter&) = delete;
  EffectAdapter& operator=(const EffectAdapter&) = delete;

  AEffect* effect() { return &record; }
  // The adapter behind a record one made, else null.
  static EffectAdapter* of(AEffect* effect);

 protected:
  // What the plug-in calls itself: name, vendor, product.
  struct Identity {
    std::string name;
    std::string vendor;
    std::string product;
  };
  virtual Identity identity() const = 0;
  // The life cycle and the state in the other interface's terms.
  virtual void activate(double sampleRate, VstInt32 maxFrames) = 0;
  virtual void deactivate() = 0;
  virtual void startProcessing() = 0;
  virtual void stopProcessing() = 0;
  virtual std::vector<unsigned char> saveState() = 0;
  virtual bool loadState(const std::vector<unsigned char>& bytes) = 0;
  // Every other opcode.
  virtual VstIntPtr dispatch(VstInt32 op, VstInt32 index, VstIntPtr value, void* ptr,
                             float opt) = 0;
  virtual void setParameter(VstInt32 index, float value) = 0;
  virtual float getParameter(VstInt32 index) const = 0;
  virtual void process(float** inputs, float** outputs, VstInt32 frames) = 0;

  // The host's time for the next block, or null.
  const VstTimeInfo* hostTime();
  // Tells the host a parameter moved, as a VST 2.4 plug-in reports it.
  void automate(VstInt32 index, double normalized);

  AEffect record{};

 private:
  static VstIntPtr dispatchEntry(AEffect* e, VstInt32 op, VstInt32 index, VstIntPtr value,
                                 void* ptr, float opt);
  // The opcodes every adapter answers alike.
  VstIntPtr dispatchShared(VstInt32 op, VstInt32 index, VstIntPtr value, void* ptr, float opt);

  audioMasterCallback host;
  std::vector<unsigned char> state;  // the last chunk handed out
  double sampleRate = 44100.0;
  VstInt32 blockSize = 512;
};

// An adapter over a host-side instance of the other interface, which offers
// the life cycle and state calls by these names.
template <typename Instance>
class InstanceAdapter : public EffectAdapter {
 public:
  Instance& held() { return instance; }

 protected:
  template <typename Module>
  InstanceAdapter(const Module& module, audioMasterCallback host)
      : EffectAdapter(host), instance(module) {}
  void activate(double rate, VstInt32 maxFrames) override { instance.activate(rate, maxFrames); }
  void deactivate() override { instance.deactivate(); }
  void startProcessing() override { instance.startProcessing(); }
  void stopProcessing() override { instance.stopProcessing(); }
  std::vector<unsigned char> saveState() override { return instance.saveState(); }
  bool loadState(const std::vector<unsigned char>& bytes) override {
    return instance.loadState(bytes);
  }

  Instance instance;
};

// Text into a plug-in's answer buffer of `size` bytes, always terminated.
void copyOut(void* ptr, const std::string& text, size_t size);
