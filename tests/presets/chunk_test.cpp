// The state chunk as the host saves and restores it.
#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <vector>

#include "fakehost.h"
#include "midievents.h"
#include "plugin.h"

namespace {

void putWord(std::vector<unsigned char>& c, size_t at, std::int32_t v) {
  std::memcpy(c.data() + at, &v, 4);
}

std::vector<unsigned char> byteReversed(std::vector<unsigned char> c) {
  auto reverse = [&](size_t at) {
    std::swap(c[at], c[at + 3]);
    std::swap(c[at + 1], c[at + 2]);
  };
  for (size_t at = 0; at < 32; at += 4) {
    reverse(at);
  }
  for (size_t p = 0; p < 17; ++p) {
    for (size_t i = 0; i < 18; ++i) {
      reverse(32 + p * 96 + 24 + i * 4);
    }
  }
  for (size_t i = 0; i < 18; ++i) {
    reverse(1664 + i * 4);
  }
  return c;
}

// A state unlike the factory one: another program current, edited values and names.
void changeState(Plugin& p) {
  p.setParameter(2, 0.8f);
  char name[] = "edited";
  p.dispatch(effSetProgramName, 0, 0, name);
  p.setParameter(18 + 6, (12 + 0.5f) / 129.0f);  // Fbck on controller 12
}

class Chunk : public ::testing::Test {
 protected:
  FakeHost host;
};

}  // namespace

TEST_F(Chunk, LayoutOfAFreshInstance) {
  Plugin p;
  const auto c = p.chunk();
  ASSERT_EQ(c.size(), 1736u);
  std::int32_t words[4];
  std::memcpy(words, c.data(), sizeof(words));
  EXPECT_EQ(words[0], 0x01000000);
  EXPECT_EQ(words[1], 0x4F6E6478);
  EXPECT_EQ(words[2], 17);
  EXPECT_EQ(words[3], 0);
  for (size_t i = 16; i < 32; ++i) {
    EXPECT_EQ(c[i], 0);
  }
  EXPECT_STREQ(reinterpret_cast<const char*>(c.data() + 32), "default");
  float controller0;
  std::memcpy(&controller0, c.data() + 1664, 4);
  EXPECT_FLOAT_EQ(controller0, 102.5f / 129.0f);
  // A program chunk is the same full state, in the same buffer.
  void* first = nullptr;
  void* second = nullptr;
  p.dispatch(effGetChunk, 0, 0, &first);
  p.dispatch(effGetChunk, 1, 0, &second);
  EXPECT_EQ(first, second);
  EXPECT_EQ(p.chunk(true), c);
}

TEST_F(Chunk, RoundTripRestoresProgramsCurrentProgramAndControllers) {
  Plugin a;
  a.dispatch(effMainsChanged, 0, 1);
  changeState(a);
  const auto saved = a.chunk();

  Plugin b;
  EXPECT_EQ(b.restoreChunk(saved), 0);
  EXPECT_EQ(b.chunk(), saved);
  EXPECT_EQ(b.text(effGetProgramName), "edited");
  EXPECT_FLOAT_EQ(b.getParameter(2), 0.8f);
  EXPECT_FLOAT_EQ(b.getParameter(24), 12.5f / 129.0f);
}

TEST_F(Chunk, ByteReversedChunkRestoresTheSameState) {
  Plugin a;
  changeState(a);
  const auto saved = a.chunk();
  Plugin b;
  EXPECT_EQ(b.restoreChunk(byteReversed(saved)), 0);
  EXPECT_EQ(b.chunk(), saved);
}

TEST_F(Chunk, RefusedChunksChangeNothing) {
  Plugin p;
  changeState(p);
  const auto before = p.chunk();
  const float liveMix = p.getParameter(2);

  auto foreign = before;
  putWord(foreign, 4, 0x41424344);
  auto wrongCount = before;
  putWord(wrongCount, 8, 16);
  auto wrongVersion = before;
  putWord(wrongVersion, 0, 2);
  auto reversedWrongCount = byteReversed(before);
  putWord(reversedWrongCount, 8, 17);  // 17 in our order reads as another count reversed
  auto tooShort = before;
  tooShort.resize(1735);
  auto tooLong = before;
  tooLong.push_back(0);
  for (const auto& c : {foreign, wrongCount, tooShort, tooLong, reversedWrongCount}) {
    EXPECT_EQ(p.restoreChunk(c), -1);
  }
  EXPECT_EQ(p.restoreChunk(wrongVersion), 0);  // ignored, not refused
  EXPECT_EQ(p.dispatch(effSetChunk, 0, 1736, nullptr), -1);
  EXPECT_EQ(p.chunk(), before);
  EXPECT_EQ(p.getParameter(2), liveMix);
}

TEST_F(Chunk, CurrentProgramOutOfRangeReplacesProgramsButNotTheLiveState) {
  Plugin source;
  char name[] = "renamed";
  source.dispatch(effSetProgramName, 0, 0, name);
  auto c = source.chunk();
  putWord(c, 12, 17);

  Plugin p;
  p.setParameter(2, 0.3f);
  host.clear();
  EXPECT_EQ(p.restoreChunk(c), 0);
  EXPECT_EQ(p.text(effGetProgramName), "renamed");  // program 0 replaced
  EXPECT_EQ(p.getParameter(2), 0.3f);               // live value kept
  EXPECT_EQ(host.count(audioMasterUpdateDisplay), 0);
}

// Whatever a chunk holds, what the plug-in keeps of it is a finite 0..1 for
// every value, and its own chunk loads back as the same bytes: also with the
// tempo's delay and the loop on, into an instance that holds a loop of its own,
// and from a machine of the other byte order.
TEST_F(Chunk, EveryAcceptedStateIsLimitedAndSurvivesItsOwnChunk) {
  const float odd[] = {-1.1e8f, 7.1e22f, NAN, INFINITY, -INFINITY, 2.2e-41f, 1.5f, -3.7e-21f};
  auto putFloat = [](std::vector<unsigned char>& c, size_t at, float v) {
    std::memcpy(c.data() + at, &v, 4);
  };
  auto valueAt = [](size_t program, size_t i) { return 32 + program * 96 + 24 + i * 4; };
  Plugin source;
  changeState(source);
  const auto base = source.chunk();
  std::vector<std::vector<unsigned char>> states;
  for (const std::int32_t current : {0, 16, 17}) {  // 17 selects no program
    auto c = base;
    putWord(c, 12, current);
    for (size_t p = 0; p < 17; ++p) {
      for (size_t i = 0; i < 18; ++i) {
        putFloat(c, valueAt(p, i), odd[(p * 18 + i) % 8]);
      }
    }
    for (size_t i = 0; i < 18; ++i) {
      putFloat(c, 1664 + i * 4, odd[i % 8]);
    }
    states.push_back(c);
    // The tempo's delay and the loop on, with far values for the note length.
    putFloat(c, valueAt(0, 13), 1.0f);
    putFloat(c, valueAt(0, 15), 1.1e27f);
    putFloat(c, valueAt(0, 16), 7.1e22f);
    states.push_back(c);
  }
  for (size_t n = 0, count = states.size(); n < count; ++n) {
    states.push_back(byteReversed(states[n]));
  }

  for (size_t n = 0; n < states.size(); ++n) {
    for (const bool held : {false, true}) {
      SCOPED_TRACE(::testing::Message() << "state " << n << (held ? ", loop held" : ""));
      Plugin p;
      p.start();
      if (held) {  // a loop in clock mode at another tempo
        host.setTempo(90.0);
        p.setParameter(15, 1.0f);
        p.setParameter(13, 1.0f);
        std::vector<float> in(64, 0.0f), outL(64), outR(64);
        p.process(in, in, outL, outR);
      }
      const float mixBefore = p.getParameter(2);
      ASSERT_EQ(p.restoreChunk(states[n]), 0);
      const auto own = p.chunk();
      for (size_t at = 32; at < own.size(); at += 4) {
        if (at >= 1664 || (at - 32) % 96 >= 24) {
          float v;
          std::memcpy(&v, own.data() + at, 4);
          ASSERT_TRUE(std::isfinite(v) && v >= 0.0f && v <= 1.0f) << "at byte " << at << ": " << v;
        }
      }
      for (VstInt32 i = 0; i < 36; ++i) {
        const float v = p.getParameter(i);
        EXPECT_TRUE(v >= 0.0f && v <= 1.0f) << "parameter " << i << ": " << v;
      }
      if (n % 6 == 0) {  // program 0 current: its Mix was no number and stays as it was
        EXPECT_EQ(p.getParameter(2), mixBefore);
      }
      EXPECT_EQ(p.restoreChunk(own), 0);
      EXPECT_EQ(p.chunk(), own);
      Plugin fresh;
      EXPECT_EQ(fresh.restoreChunk(byteReversed(own)), 0);
      EXPECT_EQ(fresh.chunk(), own);
    }
  }
}

// A project saved in the host comes back with its MIDI assignments working.
TEST_F(Chunk, RestoredChunkRebindsTheControllers) {
  Plugin a;
  a.setParameter(18 + 6, (12 + 0.5f) / 129.0f);  // Fbck on controller 12
  const auto saved = a.chunk();
  Plugin b;
  ASSERT_EQ(b.restoreChunk(saved), 0);
  MidiEvents events;
  events.controlChange(0, 12, 127).controlChange(0, 109, 0);  // 109 was Fbck's default
  b.dispatch(effProcessEvents, 0, 0, events.list());
  EXPECT_EQ(b.getParameter(6), 1.0f);
}
