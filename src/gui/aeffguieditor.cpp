#include "gui/aeffguieditor.h"

#include "gui/cframe.h"
#include "gui/guiplatform.h"
#include "gui/zoomscale.h"
#include "gui/zoomsetting.h"
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
  const int zoom = frame != nullptr ? frame->getZoom() : zoomsetting::preferred(nullptr, hostZoom);
  zoomedRect = rect;
  zoomedRect.bottom = VstInt16(rect.top + zoomedLength(rect.bottom - rect.top, zoom));
  zoomedRect.right = VstInt16(rect.left + zoomedLength(rect.right - rect.left, zoom));
  *ppRect = &zoomedRect;
  return true;
}

int AEffGUIEditor::openingZoom(void* parent) {
  // A choice made before this window opened is in the store already.
  zoomChoicesSeen = zoomsetting::choiceCount();
  return zoomsetting::preferred(parent, hostZoom);
}

void AEffGUIEditor::hostZoomChanged(int percent) {
  hostZoom = percent;
  if (!zoomsetting::chosen()) {
    applyZoom(percent);
  }
}

void AEffGUIEditor::zoomChosen(int percent) {
  zoomsetting::choose(percent);
  zoomChoicesSeen = zoomsetting::choiceCount();
  applyZoom(percent);
}

void AEffGUIEditor::applyZoom(int percent) {
  if (frame == nullptr || frame->getZoom() == percent || !frame->setZoom(percent)) {
    return;
  }
  // The window draws at its new size whatever the host answers.
  auto* effectX = dynamic_cast<AudioEffectX*>(effect);
  char sizeWindow[] = "sizeWindow";
  if (effectX != nullptr && effectX->canHostDo(sizeWindow) != 0) {
    effectX->sizeWindow(frame->getPixelWidth(), frame->getPixelHeight());
  }
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
  const uint32_t choices = zoomsetting::choiceCount();
  if (frame != nullptr && zoomChoicesSeen != choices) {
    // Chosen in another instance's window; the count read first, so a choice
    // made meanwhile is still new at the next pass.
    zoomChoicesSeen = choices;
    applyZoom(zoomsetting::lastChoice());
  }
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
