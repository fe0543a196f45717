#include "vst3handler.h"

using namespace vst3;

tresult Vst3ComponentHandler::beginEdit(ParamID id) {
  edits.push_back({Vst3Edit::kBegin, id, 0.0});
  return kResultOk;
}

tresult Vst3ComponentHandler::performEdit(ParamID id, ParamValue value) {
  edits.push_back({Vst3Edit::kPerform, id, value});
  forProcessor.push_back({id, 0, value});
  callsWhileGivenState += givingState ? 1 : 0;
  return kResultOk;
}

tresult Vst3ComponentHandler::endEdit(ParamID id) {
  edits.push_back({Vst3Edit::kEnd, id, 0.0});
  return kResultOk;
}

tresult Vst3ComponentHandler::restartComponent(int32 flags) {
  restarts.push_back(flags);
  callsWhileGivenState += givingState ? 1 : 0;
  return kResultOk;
}

tresult Vst3ComponentHandler::setDirty(TBool state) {
  dirtyMarks += state != 0 ? 1 : 0;
  return kResultOk;
}

tresult Vst3ComponentHandler::requestOpenEditor(FIDString /*name*/) { return kResultFalse; }

tresult Vst3ComponentHandler::notifyUnitSelection(UnitID /*unitId*/) { return kResultOk; }

tresult Vst3ComponentHandler::notifyProgramListChange(ProgramListID /*listId*/,
                                                      int32 /*programIndex*/) {
  ++programListChanges;
  return kResultOk;
}
