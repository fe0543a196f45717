// The base classes' own behaviour, through a minimal effect of the test's own.
#include <gtest/gtest.h>

#include <stdexcept>

#include "fakehost.h"
#include "host/aeffeditor.h"
#include "host/audioeffectx.h"

namespace {

struct Lifetime {
  bool effectDestroyed = false;
  bool editorDestroyed = false;
};

class ProbeEditor : public AEffEditor {
 public:
  ProbeEditor(AudioEffect* effect, Lifetime& life) : AEffEditor(effect), life(life) {}
  ~ProbeEditor() override { life.editorDestroyed = true; }
  bool getRect(ERect** r) override {
    *r = &rect;
    return true;
  }
  bool open(void* parent) override {
    AEffEditor::open(parent);
    ++opens;
    return true;
  }
  void close() override {
    AEffEditor::close();
    ++closes;
  }
  void idle() override { ++idles; }
  bool onKeyDown(VstKeyCode& key) override {
    lastKey = key;
    return key.character == 'a';
  }
  bool onKeyUp(VstKeyCode& key) override {
    lastKey = key;
    return false;
  }
  bool setKnobMode(VstInt32 mode) override {
    knobMode = mode;
    return true;
  }

  ERect rect{0, 0, 101, 870};
  int opens = 0, closes = 0, idles = 0;
  VstInt32 knobMode = -1;
  VstKeyCode lastKey{};
  Lifetime& life;
};

class ProbeEffect : public AudioEffectX {
 public:
  ProbeEffect(audioMasterCallback master, Lifetime& life)
      : AudioEffectX(master, 2, 3), life(life) {}
  ~ProbeEffect() override { life.effectDestroyed = true; }
  void processReplacing(float** /*in*/, float** /*out*/, VstInt32 /*frames*/) override {
    if (throwing) {
      throw std::runtime_error("fault inside the effect");
    }
    ++processed;
  }
  void resume() override {
    AudioEffectX::resume();
    ++resumes;
  }
  void suspend() override { ++suspends; }
  VstInt32 canDo(char* text) override { return std::string(text) == "receiveVstMidiEvent"; }
  VstIntPtr dispatcher(VstInt32 opcode, VstInt32 index, VstIntPtr value, void* ptr,
                       float opt) override {
    if (throwing && opcode == effOpen) {
      throw std::runtime_error("fault inside the dispatcher");
    }
    return AudioEffectX::dispatcher(opcode, index, value, ptr, opt);
  }
  using AudioEffectX::setEditor;
  float rate() const { return sampleRate; }
  VstInt32 block() const { return blockSize; }

  Lifetime& life;
  bool throwing = false;
  int processed = 0, resumes = 0, suspends = 0;
};

VstIntPtr dispatch(AEffect* e, VstInt32 opcode, VstInt32 index = 0, VstIntPtr value = 0,
                   void* ptr = nullptr, float opt = 0.0f) {
  return e->dispatcher(e, opcode, index, value, ptr, opt);
}

}  // namespace

TEST(BaseClasses, ConstructionFillsTheRecord) {
  Lifetime life;
  auto* effect = new ProbeEffect(nullptr, life);
  AEffect* e = effect->getAeffect();
  EXPECT_EQ(e->magic, kEffectMagic);
  EXPECT_EQ(e->numPrograms, 2);
  EXPECT_EQ(e->numParams, 3);
  EXPECT_EQ(e->numInputs, 1);
  EXPECT_EQ(e->numOutputs, 2);
  EXPECT_EQ(e->flags, effFlagsCanReplacing);
  EXPECT_EQ(e->uniqueID, fourCharCode('N', 'o', 'E', 'f'));
  EXPECT_EQ(e->version, 1);
  EXPECT_EQ(e->object, effect);
  EXPECT_EQ(effect->rate(), 44100.0f);
  EXPECT_EQ(effect->block(), 1024);
  EXPECT_EQ(effect->getProgram(), 0);
  EXPECT_EQ(dispatch(e, effGetPlugCategory), kPlugCategUnknown);
  effect->isSynth(true);
  EXPECT_EQ(dispatch(e, effGetPlugCategory), kPlugCategSynth);
  EXPECT_EQ(dispatch(e, effClose), 1);
  EXPECT_TRUE(life.effectDestroyed);
}

TEST(BaseClasses, FlagOperationsSetAndClear) {
  Lifetime life;
  ProbeEffect effect(nullptr, life);
  AEffect* e = effect.getAeffect();
  effect.programsAreChunks(true);
  effect.canDoubleReplacing(true);
  effect.noTail(true);
  EXPECT_EQ(e->flags, effFlagsCanReplacing | effFlagsProgramChunks | effFlagsCanDoubleReplacing |
                          effFlagsNoSoundInStop);
  effect.canProcessReplacing(false);
  effect.programsAreChunks(false);
  effect.canDoubleReplacing(false);
  effect.noTail(false);
  EXPECT_EQ(e->flags, 0);
  effect.setInitialDelay(12);
  EXPECT_EQ(e->initialDelay, 12);
}

TEST(BaseClasses, StoresSampleRateBlockSizeAndProgram) {
  Lifetime life;
  ProbeEffect effect(nullptr, life);
  AEffect* e = effect.getAeffect();
  EXPECT_EQ(dispatch(e, effSetSampleRate, 0, 0, nullptr, 96000.0f), 0);
  EXPECT_EQ(effect.rate(), 96000.0f);
  EXPECT_EQ(dispatch(e, effSetBlockSize, 0, 64), 0);
  EXPECT_EQ(effect.block(), 64);
  dispatch(e, effSetProgram, 0, 1);
  EXPECT_EQ(dispatch(e, effGetProgram), 1);
  dispatch(e, effSetProgram, 0, 2);  // not below numPrograms: ignored
  EXPECT_EQ(dispatch(e, effGetProgram), 1);
  char name[32] = "junk";
  dispatch(e, effGetProgramName, 0, 0, name);
  EXPECT_STREQ(name, "");
  dispatch(e, effGetParamName, 0, 0, name);
  EXPECT_STREQ(name, "");
  VstParameterProperties props{};
  EXPECT_EQ(dispatch(e, effGetParameterProperties, 0, 0, &props), 0);
  void* chunk = nullptr;
  EXPECT_EQ(dispatch(e, effGetChunk, 0, 0, &chunk), 0);
  EXPECT_EQ(dispatch(e, effSetChunk, 0, 4, name), 0);
}

TEST(BaseClasses, MainsChangedRunsResumeAndSuspendEveryTime) {
  FakeHost host;
  host.canDo["sendVstMidiEvent"] = 1;
  Lifetime life;
  ProbeEffect effect(FakeHost::callback, life);
  AEffect* e = effect.getAeffect();
  dispatch(e, effMainsChanged, 0, 1);
  dispatch(e, effMainsChanged, 0, 1);
  dispatch(e, effMainsChanged, 0, 0);
  EXPECT_EQ(effect.resumes, 2);
  EXPECT_EQ(effect.suspends, 1);
  // The base resume asks for MIDI when the effect can receive it.
  EXPECT_EQ(host.count(audioMasterWantMidi), 2);
  EXPECT_EQ(host.last(audioMasterWantMidi)->value, 1);
}

TEST(BaseClasses, EditorOpcodesWithoutAnEditorDoNothing) {
  Lifetime life;
  ProbeEffect effect(nullptr, life);
  AEffect* e = effect.getAeffect();
  ERect* rect = nullptr;
  EXPECT_EQ(dispatch(e, effEditGetRect, 0, 0, &rect), 0);
  EXPECT_EQ(rect, nullptr);
  EXPECT_EQ(dispatch(e, effEditOpen, 0, 0, &rect), 0);
  EXPECT_EQ(dispatch(e, effEditClose), 0);
  EXPECT_EQ(dispatch(e, effEditIdle), 0);
  EXPECT_EQ(dispatch(e, effEditKeyDown, 'a', 1, nullptr, 1.0f), 0);
  EXPECT_EQ(dispatch(e, effEditKeyUp, 'a', 1, nullptr, 1.0f), 0);
  EXPECT_EQ(dispatch(e, effSetEditKnobMode, 0, 2), 0);
}

TEST(BaseClasses, EditorOpcodesReachTheAttachedEditor) {
  Lifetime life;
  auto* effect = new ProbeEffect(nullptr, life);
  auto* editor = new ProbeEditor(effect, life);
  effect->setEditor(editor);
  AEffect* e = effect->getAeffect();
  EXPECT_EQ(e->flags & effFlagsHasEditor, effFlagsHasEditor);

  ERect* rect = nullptr;
  EXPECT_EQ(dispatch(e, effEditGetRect, 0, 0, &rect), 1);
  ASSERT_NE(rect, nullptr);
  EXPECT_EQ(rect->right, 870);
  EXPECT_EQ(rect->bottom, 101);
  int parent = 0;
  EXPECT_EQ(dispatch(e, effEditOpen, 0, 0, &parent), 1);
  EXPECT_EQ(dispatch(e, effEditIdle), 0);
  EXPECT_EQ(editor->idles, 1);

  // Key code: character from index, virtual key from the low byte of value,
  // modifiers from the low byte of opt as an integer.
  EXPECT_EQ(dispatch(e, effEditKeyDown, 'a', 0x1234, nullptr, 9.0f), 1);
  EXPECT_EQ(editor->lastKey.character, 'a');
  EXPECT_EQ(editor->lastKey.virt, 0x34);
  EXPECT_EQ(editor->lastKey.modifier, 9);
  EXPECT_EQ(dispatch(e, effEditKeyDown, 'b', 0, nullptr, 0.0f), 0);
  EXPECT_EQ(dispatch(e, effEditKeyUp, 'a', 0, nullptr, 0.0f), 0);
  EXPECT_EQ(dispatch(e, effSetEditKnobMode, 0, 2), 1);
  EXPECT_EQ(editor->knobMode, 2);
  EXPECT_EQ(dispatch(e, effEditClose), 0);
  EXPECT_EQ(editor->opens, 1);
  EXPECT_EQ(editor->closes, 1);

  effect->setEditor(nullptr);
  EXPECT_EQ(e->flags & effFlagsHasEditor, 0);
  effect->setEditor(editor);
  // effClose destroys the effect and, with it, its editor.
  EXPECT_EQ(dispatch(e, effClose), 1);
  EXPECT_TRUE(life.effectDestroyed);
  EXPECT_TRUE(life.editorDestroyed);
}

TEST(BaseClasses, NoExceptionCrossesTheRecordEntries) {
  Lifetime life;
  ProbeEffect effect(nullptr, life);
  AEffect* e = effect.getAeffect();
  effect.throwing = true;
  EXPECT_EQ(dispatch(e, effOpen), 0);
  float buffer[4] = {};
  float* io[2] = {buffer, buffer + 2};
  EXPECT_NO_THROW(e->processReplacing(e, io, io, 2));
  effect.throwing = false;
  e->processReplacing(e, io, io, 2);
  EXPECT_EQ(effect.processed, 1);
}

TEST(BaseClasses, AccumulatingAndDoubleEntriesLeaveOutputsAlone) {
  Lifetime life;
  ProbeEffect effect(nullptr, life);
  AEffect* e = effect.getAeffect();
  float in[2] = {1.0f, 1.0f};
  float out[2] = {0.25f, 0.5f};
  float* ins[2] = {in, in};
  float* outs[2] = {out, out};
  e->process(e, ins, outs, 2);
  EXPECT_EQ(out[0], 0.25f);
  double din[2] = {1.0, 1.0};
  double dout[2] = {0.25, 0.5};
  double* dins[2] = {din, din};
  double* douts[2] = {dout, dout};
  e->processDoubleReplacing(e, dins, douts, 2);
  EXPECT_EQ(dout[1], 0.5);
  EXPECT_EQ(effect.processed, 0);
}
