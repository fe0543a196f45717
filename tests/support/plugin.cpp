#include "plugin.h"

#include <cstring>

#include "fakehost.h"
#include "plugin/zel.h"

Plugin::Plugin(audioMasterCallback callback, EditorFactory editorFactory)
    : record(effectEntry(callback != nullptr ? callback : FakeHost::callback, editorFactory)) {}

Plugin::~Plugin() { close(); }

VstIntPtr Plugin::close() {
  if (record == nullptr) {
    return 0;
  }
  AEffect* closing = record;
  record = nullptr;
  return closing->dispatcher(closing, effClose, 0, 0, nullptr, 0.0f);
}

VstIntPtr Plugin::dispatch(VstInt32 opcode, VstInt32 index, VstIntPtr value, void* ptr, float opt) {
  return record->dispatcher(record, opcode, index, value, ptr, opt);
}

std::string Plugin::text(VstInt32 opcode, VstInt32 index, VstIntPtr value) {
  char buffer[256];
  std::memset(buffer, 0, sizeof(buffer));
  dispatch(opcode, index, value, buffer);
  return buffer;
}

std::vector<unsigned char> Plugin::chunk(bool isPreset) {
  void* data = nullptr;
  const auto size = dispatch(effGetChunk, isPreset ? 1 : 0, 0, &data);
  const auto* bytes = static_cast<const unsigned char*>(data);
  return size > 0 ? std::vector<unsigned char>(bytes, bytes + size) : std::vector<unsigned char>{};
}

VstIntPtr Plugin::restoreChunk(std::vector<unsigned char> bytes) {
  return dispatch(effSetChunk, 0, static_cast<VstIntPtr>(bytes.size()), bytes.data());
}

void Plugin::setParameter(VstInt32 index, float value) {
  record->setParameter(record, index, value);
}

float Plugin::getParameter(VstInt32 index) { return record->getParameter(record, index); }

void Plugin::start(float sampleRate, VstInt32 blockSize) {
  dispatch(effOpen);
  dispatch(effSetSampleRate, 0, 0, nullptr, sampleRate);
  dispatch(effSetBlockSize, 0, blockSize);
  dispatch(effMainsChanged, 0, 1);
}

void Plugin::process(const std::vector<float>& inL, const std::vector<float>& inR,
                     std::vector<float>& outL, std::vector<float>& outR) {
  outL.assign(inL.size(), 0.0f);
  outR.assign(inR.size(), 0.0f);
  float* inputs[2] = {const_cast<float*>(inL.data()), const_cast<float*>(inR.data())};  // NOLINT
  float* outputs[2] = {outL.data(), outR.data()};
  record->processReplacing(record, inputs, outputs, static_cast<VstInt32>(inL.size()));
}
