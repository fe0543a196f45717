// Reads a fuzzer's input as a stream of typed values; past the end every read
// gives zero, so every input is a complete script.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstring>

class ByteReader {
 public:
  ByteReader(const uint8_t* data, size_t size) : data(data), size(size) {}

  bool empty() const { return at >= size; }
  size_t remaining() const { return size - at; }
  const uint8_t* current() const { return data + at; }

  template <typename T>
  T read() {
    T value{};
    const size_t n = remaining() < sizeof(T) ? remaining() : sizeof(T);
    if (n > 0) {
      std::memcpy(&value, data + at, n);
    }
    at += n;
    return value;
  }

  // Skips bytes the caller has used directly.
  void skip(size_t n) { at += n < remaining() ? n : remaining(); }

 private:
  const uint8_t* data;
  size_t size;
  size_t at = 0;
};
