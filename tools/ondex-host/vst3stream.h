// The host's IBStream: bytes in memory with a position, as hosts hand one to
// getState and setState (a project's chunk, or a window of a preset file).
#pragma once

#include <vector>

#include "vst3hostobject.h"

class Vst3Stream : public Vst3HostObject<vst3::IBStream, vst3::ISizeableStream> {
 public:
  Vst3Stream() = default;
  // Reading these bytes from the start.
  explicit Vst3Stream(std::vector<unsigned char> content) : bytes(std::move(content)) {}

  vst3::tresult VST3_API read(void* buffer, vst3::int32 numBytes,
                              vst3::int32* numBytesRead) override;
  vst3::tresult VST3_API write(void* buffer, vst3::int32 numBytes,
                               vst3::int32* numBytesWritten) override;
  vst3::tresult VST3_API seek(vst3::int64 pos, vst3::int32 mode, vst3::int64* result) override;
  vst3::tresult VST3_API tell(vst3::int64* pos) override;
  vst3::tresult VST3_API getStreamSize(vst3::int64& size) override;
  vst3::tresult VST3_API setStreamSize(vst3::int64 size) override;

  const std::vector<unsigned char>& content() const { return bytes; }
  size_t position() const { return at; }
  void rewind() { at = 0; }

 private:
  std::vector<unsigned char> bytes;
  size_t at = 0;
};
