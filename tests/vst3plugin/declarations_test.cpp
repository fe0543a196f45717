// Our VST 3 declarations as this compiler lays them out: every interface's
// last method in the slot the interface gives it, which no static_assert can
// read (sizes, offsets and ids are asserted in the header itself).
#include <gtest/gtest.h>

#include "host/vst3.h"

TEST(Vst3Declarations, EveryInterfacesLastMethodSitsInItsSlot) { EXPECT_TRUE(vst3::slotsMatch()); }
