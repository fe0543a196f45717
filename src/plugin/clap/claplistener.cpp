// What the effect tells of its changes, turned into what a CLAP host hears:
// the editor's gestures and edits as parameter events at the next process or
// flush; what the plug-in moves itself inside a block as unrecorded events of
// that block; loads, names and controller bindings as value rescans and dirty
// marks, told at once on the main thread and asked for from any other.
#include "clapadapter.h"
#include "host/clapevents.h"

void ClapAdapter::effectChanged(const EffectChange& change) {
  const bool parameter = change.index >= 0 && static_cast<uint32_t>(change.index) < kParamCount;
  const auto id = static_cast<clap_id>(change.index);
  switch (change.cause) {
    case ChangeCause::kGestureBegin:
    case ChangeCause::kGestureEnd:
    case ChangeCause::kEdited:
      if (!parameter) {
        noteDirty();  // a controller assignment: kept in the state, no parameter of ours
        return;
      }
      outbox.post({change.cause == ChangeCause::kGestureBegin ? CLAP_EVENT_PARAM_GESTURE_BEGIN
                   : change.cause == ChangeCause::kGestureEnd ? CLAP_EVENT_PARAM_GESTURE_END
                                                              : CLAP_EVENT_PARAM_VALUE,
                   id, clapFromNormalized(id, change.value)});
      // While processing, the next block carries the news anyway.
      if (!processing.load() && hostParams != nullptr) {
        hostParams->request_flush(host);
      }
      return;
    case ChangeCause::kRefused:
    case ChangeCause::kMoved:
      if (!parameter) {
        noteDirty(change.inBlock);  // a binding, MIDI learn's among them
      } else if (change.inBlock) {
        tellInBlock(id, change.value, change.frame);
      } else {
        noteRescan();  // the editor's thread: the host re-reads the value, records nothing
      }
      return;
    case ChangeCause::kLoaded:
      if (parameter) {
        noteRescan();
      } else {
        noteDirty();
      }
      return;
    case ChangeCause::kDisplay:
      // A program was chosen or renamed: new values, and a state the values do not show.
      noteRescan();
      noteDirty();
      return;
    case ChangeCause::kTexts:
      // A rescan of values re-reads the texts with them; qtractor 0.9.31
      // crashes now and then on a rescan of texts alone while it plays.
      noteRescan(change.inBlock);
      return;
  }
}

bool ClapAdapter::editorResizeWanted(int32_t width, int32_t height) {
  return hostGui != nullptr && width > 0 && height > 0 &&
         hostGui->request_resize(host, static_cast<uint32_t>(width), static_cast<uint32_t>(height));
}

void ClapAdapter::tellInBlock(clap_id id, float normalized, uint32_t frame) {
  const clap_event_param_value_t told = clapParamValueEvent(
      partStart + frame, id, clapFromNormalized(id, normalized), CLAP_EVENT_DONT_RECORD);
  // A host that takes no more events still learns the value, by re-reading it.
  if (hostOut == nullptr || !hostOut->try_push(hostOut, &told.header)) {
    noteRescan(true);
  }
}

// On the main thread the news is told when the call that raised it returns;
// from any other the host is asked to call back for it.
void ClapAdapter::note(std::atomic<bool>& pending, bool fromBlock) {
  pending.store(true);
  if (fromBlock && host->request_callback != nullptr) {
    host->request_callback(host);
  }
}

void ClapAdapter::noteRescan(bool fromBlock) { note(rescanPending, fromBlock); }

// A load of the host's own state makes nothing dirty; a load happens on the main thread.
void ClapAdapter::noteDirty(bool fromBlock) {
  if (fromBlock || !loadingState) {
    note(dirtyPending, fromBlock);
  }
}

void ClapAdapter::tellMainThreadNews() {
  if (rescanPending.exchange(false) && hostParams != nullptr) {
    hostParams->rescan(host, CLAP_PARAM_RESCAN_VALUES);
  }
  if (dirtyPending.exchange(false) && hostState != nullptr) {
    hostState->mark_dirty(host);
  }
}

void ClapAdapter::onMainThread() { tellMainThreadNews(); }
