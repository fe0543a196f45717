// What the effect tells of its changes, turned into what a VST 3 host hears:
// the editor's gestures as beginEdit/performEdit/endEdit on the UI thread;
// values the plug-in moved itself inside a block (MIDI, refusals) as output
// parameter changes of that block; loads as a restart that has the host
// re-read every value; names as a changed program list; bindings as a dirty
// state. What cannot be told on the thread that raised it waits for the UI
// thread's next call.
#include "vst3plugin.h"
#include "vst3view.h"

void Vst3Plugin::effectChanged(const EffectChange& change) {
  const bool parameter = change.index >= 0 && change.index < kNumZelParameters;
  const auto id = static_cast<vst3::ParamID>(change.index);
  switch (change.cause) {
    case ChangeCause::kGestureBegin:
    case ChangeCause::kEdited:
    case ChangeCause::kGestureEnd:
      if (!parameter) {
        dirtyPending.store(true);  // a controller binding: kept in the state, no parameter
      } else if (handler != nullptr && onUiThread()) {
        if (change.cause == ChangeCause::kGestureBegin) {
          handler->beginEdit(id);
        } else if (change.cause == ChangeCause::kEdited) {
          handler->performEdit(id, change.value);
        } else {
          handler->endEdit(id);
        }
      } else {
        restartPending.store(true);  // not where edits may be told: re-read instead
      }
      return;
    case ChangeCause::kRefused:
    case ChangeCause::kMoved:
      if (!parameter) {
        dirtyPending.store(true);  // a binding, MIDI learn's among them
      } else if (change.inBlock) {
        tellInBlock(id, change.value, change.frame);
      } else {
        restartPending.store(true);
      }
      return;
    case ChangeCause::kLoaded:
      if (parameter) {
        restartPending.store(true);
      } else {
        dirtyPending.store(true);
      }
      return;
    case ChangeCause::kDisplay:
      // A program chosen or renamed: its name in the list, the program
      // parameter's value, and a state the values do not show.
      programsPending.store(true);
      restartPending.store(true);
      dirtyPending.store(true);
      return;
    case ChangeCause::kTexts:
      restartPending.store(true);  // the host re-reads texts with the values
      return;
  }
}

// Beside the block's own changes; a host that gave no list learns the value
// by re-reading it.
void Vst3Plugin::tellInBlock(vst3::ParamID id, float value, uint32_t frame) {
  vst3::int32 index = 0;
  vst3::IParamValueQueue* queue =
      blockOutput != nullptr ? blockOutput->addParameterData(id, index) : nullptr;
  vst3::int32 point = 0;
  if (queue == nullptr ||
      queue->addPoint(static_cast<vst3::int32>(frame), value, point) != vst3::kResultOk) {
    restartPending.store(true);
  }
}

void Vst3Plugin::tellNews() {
  if (!onUiThread() || effect == nullptr) {
    return;
  }
  const int asked = programAsked.exchange(-1);
  if (asked >= 0 && asked < effect->programCount() && asked != effect->currentProgram()) {
    effect->selectProgram(asked);
  }
  if (inHostState) {
    return;  // no handler calls while the host loads its state
  }
  if (programsPending.exchange(false) && unitHandler != nullptr) {
    unitHandler->notifyProgramListChange(vst3ids::kProgramList, -1);
  }
  if (restartPending.exchange(false) && handler != nullptr) {
    handler->restartComponent(vst3::kParamValuesChanged);
  }
  const bool dirty = dirtyPending.exchange(false);
  if (dirty && handler2 != nullptr) {
    handler2->setDirty(1);
  }
}

bool Vst3Plugin::editorResizeWanted(int32_t width, int32_t height) {
  return view != nullptr && view->resizeWanted(width, height);
}
