// BMP decoding of each bit depth, the resource table and the module's own
// bitmap resources.
#include <gtest/gtest.h>

#include <iterator>
#include <string>
#include <vector>

#include "gui/cbitmap.h"
#include "gui/packedbytes.h"
#include "guitest.h"

#ifdef ONDEX_EMBEDDED_TEST_BITMAPS
void registerGuiTestBitmaps();
#endif

using guitest::BmpOptions;
using guitest::makeBmp;

namespace {

uint32_t pattern(int x, int y) {
  return 0xFF000000u | uint32_t(x * 40 + 10) << 16 | uint32_t(y * 80 + 20) << 8 | 0x55u;
}

void expectPattern(const std::vector<uint32_t>& pixels, int w, int h) {
  ASSERT_EQ(pixels.size(), size_t(w * h));
  for (int y = 0; y < h; ++y) {
    for (int x = 0; x < w; ++x) {
      EXPECT_EQ(pixels[size_t(y * w + x)], pattern(x, y)) << x << "," << y;
    }
  }
}

}  // namespace

TEST(BmpDecoding, TwentyFourBitsBottomUpWithPaddedRows) {
  const auto bytes = makeBmp(5, 3, 24, pattern);
  int w = 0, h = 0;
  std::vector<uint32_t> pixels;
  ASSERT_TRUE(decodeBmp(bytes.data(), bytes.size(), w, h, pixels));
  EXPECT_EQ(w, 5);
  EXPECT_EQ(h, 3);
  expectPattern(pixels, w, h);
}

TEST(BmpDecoding, TwentyFourBitsTopDownAndWithoutFileHeader) {
  for (const BmpOptions options : {BmpOptions{true, true, false}, BmpOptions{false, false, false},
                                   BmpOptions{false, true, false}}) {
    const auto bytes = makeBmp(7, 2, 24, pattern, options);
    int w = 0, h = 0;
    std::vector<uint32_t> pixels;
    ASSERT_TRUE(decodeBmp(bytes.data(), bytes.size(), w, h, pixels));
    expectPattern(pixels, 7, 2);
  }
}

TEST(BmpDecoding, EightBitsThroughThePalette) {
  for (const bool header : {true, false}) {
    const auto bytes = makeBmp(3, 4, 8, pattern, {header, false, false});
    int w = 0, h = 0;
    std::vector<uint32_t> pixels;
    ASSERT_TRUE(decodeBmp(bytes.data(), bytes.size(), w, h, pixels));
    expectPattern(pixels, 3, 4);
  }
}

TEST(BmpDecoding, ThirtyTwoBitsKeepAlphaPremultiplied) {
  const auto bytes = makeBmp(2, 2, 32, [](int x, int y) {
    const uint32_t alpha = (x == 0 && y == 0) ? 0x80 : 0xFF;
    return alpha << 24 | 0xFF2040u;
  });
  int w = 0, h = 0;
  std::vector<uint32_t> pixels;
  ASSERT_TRUE(decodeBmp(bytes.data(), bytes.size(), w, h, pixels));
  EXPECT_EQ(pixels[0], 0x80801020u);  // half alpha: channels halved
  EXPECT_EQ(pixels[1], 0xFFFF2040u);
  EXPECT_EQ(pixels[3], 0xFFFF2040u);
}

TEST(BmpDecoding, ThirtyTwoBitsWithoutAnyAlphaAreOpaque) {
  const auto bytes =
      makeBmp(2, 1, 32, [](int x, int) { return x == 0 ? 0x00123456u : 0x00ABCDEFu; });
  int w = 0, h = 0;
  std::vector<uint32_t> pixels;
  ASSERT_TRUE(decodeBmp(bytes.data(), bytes.size(), w, h, pixels));
  EXPECT_EQ(pixels[0], 0xFF123456u);
  EXPECT_EQ(pixels[1], 0xFFABCDEFu);
}

TEST(BmpDecoding, ThirtyTwoBitsWithBitfieldMasks) {
  const auto bytes = makeBmp(4, 2, 32, pattern, {true, false, true});
  int w = 0, h = 0;
  std::vector<uint32_t> pixels;
  ASSERT_TRUE(decodeBmp(bytes.data(), bytes.size(), w, h, pixels));
  expectPattern(pixels, 4, 2);
}

TEST(BmpDecoding, RefusesWhatItCannotRead) {
  int w = 0, h = 0;
  std::vector<uint32_t> pixels;
  auto bytes = makeBmp(4, 4, 24, pattern);
  EXPECT_FALSE(decodeBmp(nullptr, 0, w, h, pixels));
  EXPECT_FALSE(decodeBmp(bytes.data(), bytes.size() - 1, w, h, pixels));  // truncated
  EXPECT_FALSE(decodeBmp(bytes.data(), 30, w, h, pixels));
  auto rle = bytes;
  rle[14 + 16] = 1;  // BI_RLE8
  EXPECT_FALSE(decodeBmp(rle.data(), rle.size(), w, h, pixels));
  auto fourBits = bytes;
  fourBits[14 + 14] = 4;
  EXPECT_FALSE(decodeBmp(fourBits.data(), fourBits.size(), w, h, pixels));
  auto zeroWidth = bytes;
  zeroWidth[14 + 4] = 0;
  EXPECT_FALSE(decodeBmp(zeroWidth.data(), zeroWidth.size(), w, h, pixels));
  EXPECT_TRUE(pixels.empty());
}

// Packed resources: literals and copies, a copy overlapping what it writes,
// and every kind of damage refused with nothing unpacked.
TEST(PackedBytes, UnpacksCopiesAndRefusesDamage) {
  using Bytes = std::vector<uint8_t>;
  auto packedOf = [](uint32_t size, const Bytes& tokens) {
    Bytes out = tokens;
    const uint8_t header[8] = {'O',
                               'P',
                               'K',
                               '1',
                               uint8_t(size),
                               uint8_t(size >> 8),
                               uint8_t(size >> 16),
                               uint8_t(size >> 24)};
    out.insert(out.begin(), std::begin(header), std::end(header));
    return out;
  };
  // "ab", then 6 bytes from 2 back ("ababab"), then "c".
  const Bytes good = packedOf(9, {1, 'a', 'b', 128 + 2, 2, 0, 0, 'c'});
  Bytes out;
  ASSERT_TRUE(packed::unpack(good.data(), good.size(), out));
  EXPECT_EQ(std::string(out.begin(), out.end()), "ababababc");
  for (const Bytes& bad : {
           packedOf(10, {1, 'a', 'b', 128 + 2, 2, 0, 0, 'c'}),  // shorter than it says
           packedOf(8, {1, 'a', 'b', 128 + 2, 2, 0, 0, 'c'}),   // longer than it says
           packedOf(9, {1, 'a', 'b', 128 + 2, 3, 0, 0, 'c'}),   // a copy from before the start
           packedOf(9, {1, 'a', 'b', 128 + 2, 0, 0, 0, 'c'}),   // a copy from distance 0
           packedOf(9, {1, 'a', 'b', 128 + 2, 2}),              // a cut distance
           packedOf(9, {5, 'a', 'b'}),                          // a cut literal
           packedOf(0xFFFFFFFFu, {0, 'a'}),                     // an absurd size
           Bytes{'O', 'P', 'K'},                                // a cut header
       }) {
    EXPECT_FALSE(packed::unpack(bad.data(), bad.size(), out));
    EXPECT_TRUE(out.empty());
  }
}

TEST(BitmapResources, LoadedByNumberFromTheTable) {
  guitest::RegisteredBitmap registered(4242, makeBmp(6, 5, 8, pattern));
  auto* bitmap = new CBitmap(4242);
  ASSERT_TRUE(bitmap->isLoaded());
  EXPECT_EQ(bitmap->getResourceId(), 4242);
  EXPECT_EQ(bitmap->getWidth(), 6);
  EXPECT_EQ(bitmap->getHeight(), 5);
  EXPECT_EQ(bitmap->getPixel(5, 4), pattern(5, 4));
  EXPECT_EQ(bitmap->getPixel(6, 0), 0u);
  EXPECT_TRUE(bitmap->isTypeOf("CBitmap"));
  EXPECT_TRUE(bitmap->isTypeOf("CBaseObject"));
  bitmap->forget();
}

TEST(BitmapResources, AnUnknownNumberGivesAnEmptyBitmap) {
  auto* bitmap = new CBitmap(31999);
  EXPECT_FALSE(bitmap->isLoaded());
  EXPECT_EQ(bitmap->getWidth(), 0);
  bitmap->forget();
}

// Resource 100 is data/stripes24.bmp: a Windows RT_BITMAP resource of the test
// program (found through the module handle, without its file header), or on
// Linux embedded at build time and registered.
TEST(BitmapResources, TheModulesOwnBitmap) {
#ifdef ONDEX_EMBEDDED_TEST_BITMAPS
  registerGuiTestBitmaps();
#endif
  auto* bitmap = new CBitmap(100);
  ASSERT_TRUE(bitmap->isLoaded());
  EXPECT_EQ(bitmap->getWidth(), 5);
  EXPECT_EQ(bitmap->getHeight(), 3);
  for (int y = 0; y < 3; ++y) {
    for (int x = 0; x < 5; ++x) {
      EXPECT_EQ(bitmap->getPixel(x, y), pattern(x, y));
    }
  }
  bitmap->forget();
}
