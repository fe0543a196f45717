#include "gui/aeffguieditor.h"

#include "gui/cframe.h"
#include "gui/guiplatform.h"
#include "host/audioeffectx.h"

namespace {
std::function<uint32_t()>& tickSource() {
  static std::function<uint32_t()> source;
  return source;
}
}  // namespace

AEffGUIEditor::AEffGUIEditor(AudioEffect* effect) : AEffEditor(effect) {
  if (effect != nullptr) {
    effect->setEditor(this);
  }
}

AEffGUIEditor::~AEffGUIEditor() {
  if (frame != nullptr) {
    CFrame* open = frame;
    frame = nullptr;
    open->close();
  }
}

bool AEffGUIEditor::getRect(ERect** ppRect) {
  if (ppRect == nullptr) {
    return false;
  }
  *ppRect = &rect;
  return true;
}

bool AEffGUIEditor::open(void* parent) {
  AEffEditor::open(parent);
  return true;
}

void AEffGUIEditor::close() {
  if (frame != nullptr) {
    CFrame* open = frame;
    frame = nullptr;
    open->close();
  }
  AEffEditor::close();
}

void AEffGUIEditor::idle() {
  if (inIdleStuff) {
    return;
  }
  AEffEditor::idle();
  if (frame != nullptr) {
    frame->idle();
  }
}

bool AEffGUIEditor::onKeyDown(VstKeyCode& keyCode) {
  return frame != nullptr && frame->onKeyDown(keyCode) > 0;
}

bool AEffGUIEditor::onKeyUp(VstKeyCode& keyCode) {
  return frame != nullptr && frame->onKeyUp(keyCode) > 0;
}

bool AEffGUIEditor::setKnobMode(VstInt32 mode) {
  knobMode.store(mode, std::memory_order_relaxed);
  return true;
}

void AEffGUIEditor::beginEdit(int32_t index) {
  if (auto* effectX = dynamic_cast<AudioEffectX*>(effect)) {
    effectX->beginEdit(index);
  }
}

void AEffGUIEditor::endEdit(int32_t index) {
  if (auto* effectX = dynamic_cast<AudioEffectX*>(effect)) {
    effectX->endEdit(index);
  }
}

void AEffGUIEditor::doIdleStuff() {
  if (inIdleStuff || effect == nullptr) {
    return;
  }
  const uint32_t now = getTicks();
  if (idleTicksValid && now - lastIdleTicks < kIdleRate) {
    return;
  }
  lastIdleTicks = now;
  idleTicksValid = true;
  inIdleStuff = true;
  effect->masterIdle();
  inIdleStuff = false;
}

uint32_t AEffGUIEditor::getTicks() const {
  const auto& source = tickSource();
  return source ? source() : platform::tickCount();
}

void AEffGUIEditor::setTickSource(std::function<uint32_t()> source) {
  tickSource() = std::move(source);
}
