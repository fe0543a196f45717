#include "vst3hostcontext.h"

#include <algorithm>
#include <cstring>

using namespace vst3;

namespace {

template <typename Map, typename Value>
tresult lookUp(const Map& map, AttrID id, Value& value) {
  const auto found = id != nullptr ? map.find(id) : map.end();
  if (found == map.end()) {
    return kResultFalse;
  }
  value = found->second;
  return kResultOk;
}

}  // namespace

tresult Vst3AttributeList::setInt(AttrID id, int64 value) {
  if (id == nullptr) return kInvalidArgument;
  ints[id] = value;
  return kResultOk;
}

tresult Vst3AttributeList::getInt(AttrID id, int64& value) { return lookUp(ints, id, value); }

tresult Vst3AttributeList::setFloat(AttrID id, double value) {
  if (id == nullptr) return kInvalidArgument;
  floats[id] = value;
  return kResultOk;
}

tresult Vst3AttributeList::getFloat(AttrID id, double& value) { return lookUp(floats, id, value); }

tresult Vst3AttributeList::setString(AttrID id, const TChar* string) {
  if (id == nullptr || string == nullptr) return kInvalidArgument;
  strings[id] = string;
  return kResultOk;
}

tresult Vst3AttributeList::getString(AttrID id, TChar* string, uint32 sizeInBytes) {
  std::u16string text;
  if (string == nullptr || sizeInBytes < sizeof(TChar) || lookUp(strings, id, text) != kResultOk) {
    return kResultFalse;
  }
  // The size is in bytes: room for that many units less the terminator.
  const size_t units = std::min<size_t>(text.size(), sizeInBytes / sizeof(TChar) - 1);
  std::copy_n(text.data(), units, string);
  string[units] = 0;
  return kResultOk;
}

tresult Vst3AttributeList::setBinary(AttrID id, const void* data, uint32 sizeInBytes) {
  if (id == nullptr || (data == nullptr && sizeInBytes > 0)) return kInvalidArgument;
  const auto* bytes = static_cast<const unsigned char*>(data);
  binaries[id].assign(bytes, bytes + sizeInBytes);
  return kResultOk;
}

tresult Vst3AttributeList::getBinary(AttrID id, const void*& data, uint32& sizeInBytes) {
  const auto found = id != nullptr ? binaries.find(id) : binaries.end();
  if (found == binaries.end()) {
    return kResultFalse;
  }
  data = found->second.data();
  sizeInBytes = static_cast<uint32>(found->second.size());
  return kResultOk;
}

tresult Vst3HostContext::queryInterface(const TUID iid, void** obj) {
  IRunLoop* lent = IRunLoop::iid == iid ? lentRunLoop(loop) : nullptr;
  if (lent != nullptr) {
    lent->addRef();
    *obj = lent;
    return kResultOk;
  }
  return Vst3HostObject::queryInterface(iid, obj);
}

tresult Vst3HostContext::getName(String128 name) {
  const char16_t text[] = u"ondex-host";
  std::memcpy(name, text, sizeof(text));
  return kResultOk;
}

tresult Vst3HostContext::createInstance(TUID cid, TUID interfaceId, void** obj) {
  *obj = nullptr;
  // Class id and interface id are the same for the two things hosts make.
  FUnknown* made = nullptr;
  if (IMessage::iid == cid) {
    made = (new Vst3Message)->face();
    ++messagesMade;
  } else if (IAttributeList::iid == cid) {
    made = (new Vst3AttributeList)->face();
  } else {
    return kNoInterface;
  }
  const tresult answer = made->queryInterface(interfaceId, obj);
  made->release();  // the plug-in's reference is the one queryInterface gave
  return answer;
}

tresult Vst3HostContext::isPlugInterfaceSupported(const TUID interfaceId) {
  for (const Uid* used :
       {&IComponent::iid, &IAudioProcessor::iid, &IEditController::iid, &IConnectionPoint::iid,
        &IUnitInfo::iid, &IMidiMapping::iid, &IPlugView::iid, &IPlugViewContentScaleSupport::iid,
        &IProcessContextRequirements::iid}) {
    if (*used == interfaceId) return kResultTrue;
  }
  return kResultFalse;
}
