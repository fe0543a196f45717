#include "vst3stream.h"

#include <algorithm>
#include <cstring>

using namespace vst3;

tresult Vst3Stream::read(void* buffer, int32 numBytes, int32* numBytesRead) {
  const size_t n = numBytes > 0 && buffer != nullptr
                       ? std::min(static_cast<size_t>(numBytes), bytes.size() - at)
                       : 0;
  if (n > 0) std::memcpy(buffer, bytes.data() + at, n);
  at += n;
  if (numBytesRead != nullptr) *numBytesRead = static_cast<int32>(n);
  return numBytes >= 0 ? kResultOk : kInvalidArgument;
}

tresult Vst3Stream::write(void* buffer, int32 numBytes, int32* numBytesWritten) {
  if (numBytes < 0 || (buffer == nullptr && numBytes > 0)) {
    if (numBytesWritten != nullptr) *numBytesWritten = 0;
    return kInvalidArgument;
  }
  const auto n = static_cast<size_t>(numBytes);
  if (at + n > bytes.size()) bytes.resize(at + n);
  if (n > 0) std::memcpy(bytes.data() + at, buffer, n);
  at += n;
  if (numBytesWritten != nullptr) *numBytesWritten = numBytes;
  return kResultOk;
}

tresult Vst3Stream::seek(int64 pos, int32 mode, int64* result) {
  int64 base = 0;
  if (mode == IBStream::kIBSeekCur) {
    base = static_cast<int64>(at);
  } else if (mode == IBStream::kIBSeekEnd) {
    base = static_cast<int64>(bytes.size());
  } else if (mode != IBStream::kIBSeekSet) {
    return kInvalidArgument;
  }
  const int64 target = base + pos;
  if (target < 0) {
    return kInvalidArgument;
  }
  // Beyond the end is allowed, as in a file: a later write fills the gap.
  at = static_cast<size_t>(target);
  if (at > bytes.size()) bytes.resize(at);
  if (result != nullptr) *result = target;
  return kResultOk;
}

tresult Vst3Stream::tell(int64* pos) {
  if (pos == nullptr) return kInvalidArgument;
  *pos = static_cast<int64>(at);
  return kResultOk;
}

tresult Vst3Stream::getStreamSize(int64& size) {
  size = static_cast<int64>(bytes.size());
  return kResultOk;
}

tresult Vst3Stream::setStreamSize(int64 size) {
  if (size < 0) return kInvalidArgument;
  bytes.resize(static_cast<size_t>(size));
  at = std::min(at, bytes.size());
  return kResultOk;
}
