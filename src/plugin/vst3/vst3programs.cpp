// The 17 programs as one program list of the one (root) unit, so hosts list
// them by name; the program parameter chooses among them.
#include <cstdio>
#include <cstring>

#include "vst3plugin.h"
#include "vst3text.h"

vst3::tresult Vst3Plugin::getUnitInfo(vst3::int32 unitIndex, vst3::UnitInfo& info) {
  if (unitIndex != 0) {
    return vst3::kInvalidArgument;
  }
  info = vst3::UnitInfo{};
  info.id = vst3::kRootUnitId;
  info.parentUnitId = vst3::kNoParentUnitId;
  copyUtf16("Root", info.name, std::size(info.name));
  info.programListId = vst3ids::kProgramList;
  return vst3::kResultOk;
}

vst3::tresult Vst3Plugin::getProgramListInfo(vst3::int32 listIndex, vst3::ProgramListInfo& info) {
  if (listIndex != 0) {
    return vst3::kInvalidArgument;
  }
  info = vst3::ProgramListInfo{};
  info.id = vst3ids::kProgramList;
  copyUtf16("Programs", info.name, std::size(info.name));
  info.programCount = kNumPrograms;
  return vst3::kResultOk;
}

vst3::tresult Vst3Plugin::getProgramName(vst3::ProgramListID listId, vst3::int32 programIndex,
                                         vst3::String128 name) {
  if (listId != vst3ids::kProgramList || programIndex < 0 || programIndex >= kNumPrograms ||
      name == nullptr || effect == nullptr) {
    return vst3::kInvalidArgument;
  }
  char text[kProgramNameSize + 1] = {};
  effect->programName(programIndex, text);
  // Hosts list names; an emptied one still needs something to show.
  if (text[0] == 0) {
    std::snprintf(text, sizeof(text), "Program %d", programIndex + 1);
  }
  copyUtf16(text, name, 128);
  return vst3::kResultOk;
}

vst3::tresult Vst3Plugin::getProgramInfo(vst3::ProgramListID listId, vst3::int32 programIndex,
                                         vst3::CString attributeId,
                                         vst3::String128 attributeValue) {
  if (attributeId != nullptr && std::strcmp(attributeId, "Name") == 0) {
    return getProgramName(listId, programIndex, attributeValue);
  }
  return vst3::kResultFalse;
}

vst3::tresult Vst3Plugin::getUnitByBus(vst3::MediaType /*type*/, vst3::BusDirection /*dir*/,
                                       vst3::int32 /*busIndex*/, vst3::int32 /*channel*/,
                                       vst3::UnitID& unitId) {
  unitId = vst3::kRootUnitId;
  return vst3::kResultOk;
}
