#include "effectadapter.h"

#include <algorithm>
#include <cstring>

EffectAdapter::EffectAdapter(audioMasterCallback host) : host(host) {
  record.magic = kEffectMagic;
  record.object = this;
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
  record.version = 1;
}

EffectAdapter* EffectAdapter::of(AEffect* effect) {
  return effect != nullptr && effect->dispatcher == &dispatchEntry
             ? static_cast<EffectAdapter*>(effect->object)
             : nullptr;
}

VstIntPtr EffectAdapter::dispatchEntry(AEffect* e, VstInt32 op, VstInt32 index, VstIntPtr value,
                                       void* ptr, float opt) {
  EffectAdapter* self = of(e);
  const VstIntPtr answer = self->dispatchShared(op, index, value, ptr, opt);
  if (op == effClose) {
    delete self;
  }
  return answer;
}

VstIntPtr EffectAdapter::dispatchShared(VstInt32 op, VstInt32 index, VstIntPtr value, void* ptr,
                                        float opt) {
  switch (op) {
    case effSetSampleRate:
      sampleRate = opt;
      return 0;
    case effSetBlockSize:
      blockSize = static_cast<VstInt32>(value);
      return 0;
    case effMainsChanged:
      if (value != 0) {
        activate(sampleRate, std::max<VstInt32>(blockSize, 1));
      } else {
        deactivate();
      }
      return 0;
    case effStartProcess:
      startProcessing();
      return 0;
    case effStopProcess:
      stopProcessing();
      return 0;
    case effGetEffectName:
      copyOut(ptr, identity().name, kVstMaxEffectNameLen + 1);
      return 1;
    case effGetVendorString:
      copyOut(ptr, identity().vendor, kVstMaxVendorStrLen + 1);
      return 1;
    case effGetProductString:
      copyOut(ptr, identity().product, kVstMaxProductStrLen + 1);
      return 1;
    case effGetChunk:
      state = saveState();
      *static_cast<void**>(ptr) = state.empty() ? nullptr : state.data();
      return static_cast<VstIntPtr>(state.size());
    case effSetChunk: {
      const auto* bytes = static_cast<const unsigned char*>(ptr);
      return bytes != nullptr && value > 0 && loadState({bytes, bytes + value}) ? 1 : -1;
    }
    default:
      return dispatch(op, index, value, ptr, opt);
  }
}

const VstTimeInfo* EffectAdapter::hostTime() {
  return reinterpret_cast<const VstTimeInfo*>(  // NOLINT: the ABI passes pointers
      host(&record, audioMasterGetTime, 0,
           kVstTempoValid | kVstPpqPosValid | kVstBarsValid | kVstTimeSigValid, nullptr, 0.0f));
}

void EffectAdapter::automate(VstInt32 index, double normalized) {
  host(&record, audioMasterAutomate, index, 0, nullptr, static_cast<float>(normalized));
}

void copyOut(void* ptr, const std::string& text, size_t size) {
  if (ptr != nullptr) {
    std::strncpy(static_cast<char*>(ptr), text.c_str(), size - 1);
    static_cast<char*>(ptr)[size - 1] = 0;
  }
}
