// processEvents with arbitrary event lists: any type, size, offset and data
// bytes, in any count, between blocks of audio.
#include <cstdint>
#include <cstring>
#include <vector>

#include "bytereader.h"
#include "fuzzplugin.h"

namespace {

constexpr int kMaxEvents = 64;

}  // namespace

// Input: repeated groups of a count byte, then per event its type, byte size,
// offset and four data bytes, then a block length byte.
extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  ByteReader in(data, size);
  FuzzPlugin plugin;
  // Every entry is a full MIDI event record, so whatever its type says, reading
  // its fields stays inside it.
  std::vector<VstMidiEvent> events;
  std::vector<unsigned char> list;
  while (!in.empty()) {
    const int count = in.read<uint8_t>() % (kMaxEvents + 1);
    events.assign(static_cast<size_t>(count), VstMidiEvent{});
    for (VstMidiEvent& e : events) {
      e.type = in.read<int32_t>();
      e.byteSize = in.read<int32_t>();
      e.deltaFrames = in.read<int32_t>();
      for (char& byte : e.midiData) {
        byte = static_cast<char>(in.read<uint8_t>());
      }
      e.noteLength = in.read<uint8_t>();
    }
    // As hosts allocate it: the header and as many entries as events, at least two.
    const size_t slots = events.size() < 2 ? 2 : events.size();
    // NOLINTNEXTLINE(bugprone-sizeof-expression): the entries are pointers
    constexpr size_t kEntry = sizeof(VstEvents::events[0]);
    list.assign(offsetof(VstEvents, events) + slots * kEntry, 0);
    auto* header = reinterpret_cast<VstEvents*>(list.data());  // NOLINT: host layout
    header->numEvents = count;
    VstEvent** entries = header->events;  // as many as there are events, past the two declared
    for (size_t i = 0; i < events.size(); ++i) {
      entries[i] = reinterpret_cast<VstEvent*>(&events[i]);  // NOLINT: host layout
    }
    plugin.dispatch(effProcessEvents, 0, 0, header);
    plugin.playBlock(in.read<uint8_t>() * 2 + 1);
  }
  plugin.playBlock(FuzzPlugin::kMaxFrames);
  return 0;
}
