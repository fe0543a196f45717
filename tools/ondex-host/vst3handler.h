// The host's IComponentHandler: what the controller tells the host (edit
// gestures, restarts, a dirty state, program list changes) is recorded, and
// every performed edit is queued for the processor's next call, as hosts pass
// editor changes on.
#pragma once

#include <vector>

#include "vst3changes.h"

struct Vst3Edit {
  enum Kind { kBegin, kPerform, kEnd } kind;
  vst3::ParamID id;
  double value;
};

class Vst3ComponentHandler
    : public Vst3HostObject<vst3::IComponentHandler, vst3::IComponentHandler2, vst3::IUnitHandler> {
 public:
  vst3::tresult VST3_API beginEdit(vst3::ParamID id) override;
  vst3::tresult VST3_API performEdit(vst3::ParamID id, vst3::ParamValue value) override;
  vst3::tresult VST3_API endEdit(vst3::ParamID id) override;
  vst3::tresult VST3_API restartComponent(vst3::int32 flags) override;
  vst3::tresult VST3_API setDirty(vst3::TBool state) override;
  vst3::tresult VST3_API requestOpenEditor(vst3::FIDString name) override;
  vst3::tresult VST3_API startGroupEdit() override { return vst3::kResultOk; }
  vst3::tresult VST3_API finishGroupEdit() override { return vst3::kResultOk; }
  vst3::tresult VST3_API notifyUnitSelection(vst3::UnitID unitId) override;
  vst3::tresult VST3_API notifyProgramListChange(vst3::ProgramListID listId,
                                                 vst3::int32 programIndex) override;

  std::vector<Vst3Edit> edits;
  std::vector<vst3::int32> restarts;  // the flags of each restartComponent
  int dirtyMarks = 0;
  int programListChanges = 0;
  // Performed values not yet handed to the processor.
  std::vector<Vst3Point> forProcessor;
  // Set while the host hands the controller the processor's state, inside which the
  // controller must not call back (hosts are mid-way through their own load).
  bool givingState = false;
  int callsWhileGivenState = 0;
};
