// The effect record the host makes for a plug-in of another format (CLAP,
// LV2), so that every command drives it as it drives a VST 2.4 module: the
// record's entries call the effect object's members, and effClose deletes it.
#pragma once

#include <cstring>
#include <string>

#include "host/vst2.h"

template <typename Effect>
class OwnRecord {
 public:
  AEffect* effect() { return &record; }
  static Effect* of(AEffect* e) { return static_cast<Effect*>(e->object); }
  static VstIntPtr dispatchEntry(AEffect* e, VstInt32 op, VstInt32 index, VstIntPtr value,
                                 void* ptr, float opt) {
    Effect* self = of(e);
    const VstIntPtr answer = self->dispatch(op, index, value, ptr, opt);
    if (op == effClose) {
      delete self;
    }
    return answer;
  }
  // The effect made by a record of this kind, else null.
  static Effect* behind(AEffect* e) {
    return e != nullptr && e->dispatcher == &dispatchEntry ? of(e) : nullptr;
  }

 protected:
  // Entries into `self`, stereo in and out, replacing; the rest is the effect's to fill.
  explicit OwnRecord(Effect* self) {
    record.magic = kEffectMagic;
    record.object = self;
    record.dispatcher = dispatchEntry;
    record.setParameter = [](AEffect* e, VstInt32 index, float value) {
      of(e)->setParameter(index, value);
    };
    record.getParameter = [](AEffect* e, VstInt32 index) { return of(e)->getParameter(index); };
    record.processReplacing = [](AEffect* e, float** in, float** out, VstInt32 frames) {
      of(e)->process(in, out, frames);
    };
    record.numInputs = 2;
    record.numOutputs = 2;
    record.flags = effFlagsCanReplacing;
    record.version = 1;
  }

  AEffect record{};
};

// Text into a host's buffer of `size` bytes, cut and ended.
inline void copyOut(void* ptr, const std::string& text, size_t size) {
  if (ptr != nullptr) {
    std::strncpy(static_cast<char*>(ptr), text.c_str(), size - 1);
    static_cast<char*>(ptr)[size - 1] = 0;
  }
}
