#include "audioeffect.h"

#include <cstring>

#include "aeffeditor.h"

namespace {

AudioEffect* objectOf(AEffect* e) { return static_cast<AudioEffect*>(e->object); }

// The record's entries are where the host calls in: nothing may escape them as
// an exception, whatever happens inside.
extern "C" VstIntPtr dispatchEntry(AEffect* e, VstInt32 opcode, VstInt32 index, VstIntPtr value,
                                   void* ptr, float opt) {
  AudioEffect* effect = objectOf(e);
  VstIntPtr result = 0;
  try {
    result = effect->dispatcher(opcode, index, value, ptr, opt);
  } catch (...) {
    result = 0;
  }
  if (opcode == effClose) {
    try {
      delete effect;
    } catch (...) {  // a destructor that throws still ends the effect's life
    }
    return 1;
  }
  return result;
}

extern "C" void processEntry(AEffect* e, float** inputs, float** outputs, VstInt32 frames) {
  try {
    objectOf(e)->process(inputs, outputs, frames);
  } catch (...) {
  }
}

extern "C" void processReplacingEntry(AEffect* e, float** inputs, float** outputs,
                                      VstInt32 frames) {
  try {
    objectOf(e)->processReplacing(inputs, outputs, frames);
  } catch (...) {
  }
}

extern "C" void processDoubleReplacingEntry(AEffect* e, double** inputs, double** outputs,
                                            VstInt32 frames) {
  try {
    objectOf(e)->processDoubleReplacing(inputs, outputs, frames);
  } catch (...) {
  }
}

extern "C" void setParameterEntry(AEffect* e, VstInt32 index, float value) {
  try {
    objectOf(e)->setParameter(index, value);
  } catch (...) {
  }
}

extern "C" float getParameterEntry(AEffect* e, VstInt32 index) {
  try {
    return objectOf(e)->getParameter(index);
  } catch (...) {
    return 0.0f;
  }
}

}  // namespace

AudioEffect::AudioEffect(audioMasterCallback audioMaster, VstInt32 numPrograms, VstInt32 numParams)
    : audioMaster(audioMaster), numPrograms(numPrograms), numParams(numParams) {
  std::memset(&cEffect, 0, sizeof(cEffect));
  cEffect.magic = kEffectMagic;
  cEffect.dispatcher = dispatchEntry;
  cEffect.process = processEntry;
  cEffect.setParameter = setParameterEntry;
  cEffect.getParameter = getParameterEntry;
  cEffect.numPrograms = numPrograms;
  cEffect.numParams = numParams;
  cEffect.numInputs = 1;
  cEffect.numOutputs = 2;
  cEffect.ioRatio = 1.0f;
  cEffect.object = this;
  cEffect.uniqueID = fourCharCode('N', 'o', 'E', 'f');
  cEffect.version = 1;
  cEffect.processReplacing = processReplacingEntry;
  cEffect.processDoubleReplacing = processDoubleReplacingEntry;
  AudioEffect::canProcessReplacing(true);
}

AudioEffect::~AudioEffect() { delete editor; }

void AudioEffect::setFlag(VstInt32 flag, bool state) {
  if (state) {
    cEffect.flags |= flag;
  } else {
    cEffect.flags &= ~flag;
  }
}

void AudioEffect::setEditor(AEffEditor* newEditor) {
  editor = newEditor;
  setFlag(effFlagsHasEditor, newEditor != nullptr);
}

VstIntPtr AudioEffect::callHost(VstInt32 opcode, VstInt32 index, VstIntPtr value, void* ptr,
                                float opt) {
  if (audioMaster == nullptr) {
    return 0;
  }
  return audioMaster(&cEffect, opcode, index, value, ptr, opt);
}

VstIntPtr AudioEffect::dispatcher(VstInt32 opcode, VstInt32 index, VstIntPtr value, void* ptr,
                                  float opt) {
  // Opcodes that write into a host buffer answer 0 to a null one instead of crashing.
  switch (opcode) {
    case effOpen:
      open();
      return 0;
    case effClose:
      close();
      return 1;
    case effSetProgram:
      if (value < numPrograms) {
        setProgram(static_cast<VstInt32>(value));
      }
      return 0;
    case effGetProgram:
      return getProgram();
    case effSetProgramName:
      if (ptr != nullptr) {
        setProgramName(static_cast<char*>(ptr));
      }
      return 0;
    case effGetProgramName:
      if (ptr != nullptr) {
        getProgramName(static_cast<char*>(ptr));
      }
      return 0;
    case effGetParamLabel:
      if (ptr != nullptr) {
        getParameterLabel(index, static_cast<char*>(ptr));
      }
      return 0;
    case effGetParamDisplay:
      if (ptr != nullptr) {
        getParameterDisplay(index, static_cast<char*>(ptr));
      }
      return 0;
    case effGetParamName:
      if (ptr != nullptr) {
        getParameterName(index, static_cast<char*>(ptr));
      }
      return 0;
    case effSetSampleRate:
      setSampleRate(opt);
      return 0;
    case effSetBlockSize:
      setBlockSize(static_cast<VstInt32>(value));
      return 0;
    case effMainsChanged:
      if (value != 0) {
        resume();
      } else {
        suspend();
      }
      return 0;
    case effEditGetRect:
      if (editor == nullptr || ptr == nullptr) {
        return 0;
      }
      return editor->getRect(static_cast<ERect**>(ptr)) ? 1 : 0;
    case effEditOpen:
      if (editor == nullptr) {
        return 0;
      }
      return editor->open(ptr) ? 1 : 0;
    case effEditClose:
      if (editor != nullptr) {
        editor->close();
      }
      return 0;
    case effEditIdle:
      if (editor != nullptr) {
        editor->idle();
      }
      return 0;
    case effIdentify:
      return fourCharCode('N', 'v', 'E', 'f');
    case effGetChunk:
      if (ptr == nullptr) {
        return 0;
      }
      return getChunk(static_cast<void**>(ptr), index != 0);
    case effSetChunk:
      return setChunk(ptr, static_cast<VstInt32>(value), index != 0);
    default:
      return 0;
  }
}

void AudioEffect::setParameterAutomated(VstInt32 index, float value) {
  setParameter(index, value);
  tell(ChangeCause::kEdited, index, value);
}

VstIntPtr AudioEffect::tell(ChangeCause cause, VstInt32 index, float value) {
  if (EffectListener* heard = changeListener.load()) {
    heard->effectChanged({cause, index, value});
    return 1;
  }
  switch (cause) {
    case ChangeCause::kGestureBegin:
      return callHost(audioMasterBeginEdit, index);
    case ChangeCause::kGestureEnd:
      return callHost(audioMasterEndEdit, index);
    case ChangeCause::kDisplay:
    case ChangeCause::kTexts:
      return callHost(audioMasterUpdateDisplay);
    default:
      // A VST 2.4 host keeps one copy of each value, whoever moved it.
      return callHost(audioMasterAutomate, index, 0, nullptr, value);
  }
}

VstInt32 AudioEffect::getMasterVersion() {
  if (audioMaster == nullptr) {
    return 1;
  }
  const auto version = static_cast<VstInt32>(callHost(audioMasterVersion));
  return version == 0 ? 1 : version;
}

VstInt32 AudioEffect::getCurrentUniqueId() {
  return static_cast<VstInt32>(callHost(audioMasterCurrentId));
}

void AudioEffect::masterIdle() { callHost(audioMasterIdle); }

bool AudioEffect::isInputConnected(VstInt32 input) {
  if (audioMaster == nullptr) {
    return true;
  }
  return callHost(audioMasterPinConnected, input, 0) == 0;
}

bool AudioEffect::isOutputConnected(VstInt32 output) {
  if (audioMaster == nullptr) {
    return true;
  }
  return callHost(audioMasterPinConnected, output, 1) == 0;
}
