// Every bitmap of the editor and the preset panel, loaded by number the way the
// plug-in loads it: its size, depth and stacking, and what its images show.
#include <gtest/gtest.h>

#include <cmath>
#include <memory>
#include <numbers>
#include <string>
#include <vector>

#include "gui/cbitmap.h"
#include "gui/packedbytes.h"
#include "gui/zoomscale.h"
#include "platform/module.h"
#include "platform/pluginmodule.h"

namespace {

struct Expected {
  int32_t id;
  int width, imageHeight, images, bitsPerPixel;
};

const Expected kExpected[] = {
    {128, 870, 101, 1, 24}, {129, 870, 101, 1, 8}, {130, 21, 20, 2, 8},   {131, 35, 35, 101, 8},
    {132, 35, 35, 101, 8},  {133, 35, 35, 101, 8}, {134, 21, 26, 2, 8},   {135, 21, 26, 2, 8},
    {136, 35, 35, 101, 8},  {137, 22, 26, 2, 8},   {138, 26, 26, 2, 8},   {139, 26, 26, 2, 8},
    {140, 14, 20, 12, 8},   {141, 14, 20, 12, 8},  {142, 15, 20, 12, 8},  {143, 14, 20, 12, 8},
    {144, 16, 32, 8, 8},    {145, 11, 11, 2, 24},  {146, 7, 43, 21, 8},   {147, 23, 26, 2, 8},
    {148, 36, 36, 101, 8},  {149, 35, 35, 101, 8}, {150, 36, 36, 101, 8}, {151, 36, 36, 101, 8},
    {152, 22, 20, 2, 8},    {153, 10, 10, 101, 8}, {154, 12, 25, 1, 24},  {155, 15, 10, 2, 24},
    {990, 17, 15, 3, 32},   {991, 17, 15, 3, 24},  {992, 32, 13, 3, 24},  {993, 44, 13, 3, 24},
    {994, 28, 13, 3, 24},   {995, 30, 13, 5, 24},  {998, 24, 16, 3, 32},  {999, 24, 16, 3, 24},
};

// The Windows build reads the bitmaps out of the built Ondex.dll, as the
// plug-in does through its module handle; the Linux test program carries the
// same files in its embedded table.
class Artwork : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
#ifdef _WIN32
    std::string error;
    module = platform::PluginModule::load("Ondex.dll", error);
    ASSERT_NE(module, nullptr) << error;
    platform::setModuleHandle(module->nativeHandle());
#endif
  }
  static void TearDownTestSuite() {
    platform::setModuleHandle(nullptr);
    module.reset();
  }
  static std::unique_ptr<platform::PluginModule> module;
};
std::unique_ptr<platform::PluginModule> Artwork::module;

struct Image {
  std::vector<uint32_t> pixels;
  int width = 0, height = 0;
};

// Image k of a bitmap of `images` stacked images.
std::vector<Image> images(int32_t id, int count) {
  auto* bitmap = new CBitmap(id);
  std::vector<Image> out;
  const int w = int(bitmap->getWidth());
  const int h = int(bitmap->getHeight()) / count;
  for (int k = 0; k < count; ++k) {
    Image image{{}, w, h};
    for (int y = 0; y < h; ++y) {
      for (int x = 0; x < w; ++x) {
        image.pixels.push_back(bitmap->getPixel(x, k * h + y));
      }
    }
    out.push_back(std::move(image));
  }
  bitmap->forget();
  return out;
}

double luminance(uint32_t p) {
  return 0.299 * double(p >> 16 & 0xFF) + 0.587 * double(p >> 8 & 0xFF) + 0.114 * double(p & 0xFF);
}

// Mean luminance over rows [top, bottom) of an image.
double brightness(const Image& image, int top, int bottom) {
  double sum = 0;
  for (int y = top; y < bottom; ++y) {
    for (int x = 0; x < image.width; ++x) {
      sum += luminance(image.pixels[size_t(y) * size_t(image.width) + size_t(x)]);
    }
  }
  return sum / double((bottom - top) * image.width);
}

int bitsPerPixel(int32_t id) {
  const platform::ResourceBytes bytes = findBitmapResource(id);
  if (bytes.data == nullptr || bytes.size < 54) {
    return 0;
  }
  const uint8_t* info = bytes.data[0] == 'B' && bytes.data[1] == 'M' ? bytes.data + 14 : bytes.data;
  return info[14] | info[15] << 8;
}

}  // namespace

TEST_F(Artwork, EveryBitmapHasItsSizeDepthAndStackedImages) {
  for (const Expected& e : kExpected) {
    SCOPED_TRACE(e.id);
    auto* bitmap = new CBitmap(e.id);
    ASSERT_TRUE(bitmap->isLoaded());
    EXPECT_EQ(bitmap->getWidth(), e.width);
    EXPECT_EQ(bitmap->getHeight(), e.imageHeight * e.images);
    EXPECT_EQ(bitsPerPixel(e.id), e.bitsPerPixel);
    bitmap->forget();
    // Stacked images: each differs from the one before it.
    const auto stack = images(e.id, e.images);
    for (size_t k = 1; k < stack.size(); ++k) {
      EXPECT_NE(stack[k].pixels, stack[k - 1].pixels) << "image " << k;
    }
  }
}

// The 150 % and 200 % sets: every dimension scaled (rounded up), the same
// depth and stacking, and each image showing what its 100 % image shows.
TEST_F(Artwork, ScaledSetsStackTheSameImagesAtTheirZoom) {
  for (const int zoom : {150, 200}) {
    for (const Expected& e : kExpected) {
      SCOPED_TRACE(std::to_string(e.id) + " at " + std::to_string(zoom));
      const platform::ResourceBytes bytes = findBitmapResource(zoomedResourceId(e.id, zoom));
      std::vector<uint8_t> file;
      ASSERT_TRUE(packed::unpack(bytes.data, bytes.size, file));
      ASSERT_GE(file.size(), 54u);
      EXPECT_EQ(file[28] | file[29] << 8, e.bitsPerPixel);
      auto* bitmap = new CBitmap(e.id);
      const BitmapPixels scaled = bitmap->pixelsAt(zoom);
      const int w = zoomedLength(e.width, zoom), h = zoomedLength(e.imageHeight, zoom);
      ASSERT_TRUE(scaled.scaled);
      ASSERT_EQ(scaled.width, w);
      ASSERT_EQ(scaled.height, h * e.images);
      const auto small = images(e.id, e.images);
      for (int k = 0; k<e.images; k += e.images> 12 ? 7 : 1) {
        // Image k's mean colour, channel by channel, against the 100 % image's.
        for (int shift = 0; shift <= 16; shift += 8) {
          double sum = 0, smallSum = 0;
          for (int y = 0; y < h; ++y) {
            for (int x = 0; x < w; ++x) {
              sum += double(scaled.data[size_t(k * h + y) * size_t(w) + size_t(x)] >> shift & 0xFF);
            }
          }
          for (uint32_t p : small[size_t(k)].pixels) {
            smallSum += double(p >> shift & 0xFF);
          }
          EXPECT_NEAR(sum / (w * h), smallSum / double(small[size_t(k)].pixels.size()), 6.0)
              << "image " << k;
        }
      }
      bitmap->forget();
    }
  }
}

// Image k lights CLK (top) for k 4 to 7, infinite repeat (middle) for 2, 3, 6, 7
// and 4 kHz (bottom) for odd k: every lit lamp is brighter than it is unlit.
TEST_F(Artwork, StatusLampsLightExactlyTheirCombination) {
  const auto stack = images(144, 8);
  const int bands[3][2] = {{0, 11}, {11, 21}, {21, 32}};
  const int bit[3] = {4, 2, 1};
  for (int lamp = 0; lamp < 3; ++lamp) {
    double dimmestLit = 1e9, brightestDark = -1;
    for (int k = 0; k < 8; ++k) {
      const double b = brightness(stack[size_t(k)], bands[lamp][0], bands[lamp][1]);
      if ((k & bit[lamp]) != 0) {
        dimmestLit = std::min(dimmestLit, b);
      } else {
        brightestDark = std::max(brightestDark, b);
      }
    }
    EXPECT_GT(dimmestLit, brightestDark + 10) << "lamp " << lamp;
  }
}

// Five lamps, 0 dB on top: image 0 all dark, image 20 all lit, each lamp only
// brightening as the image grows, and the lower lamps lighting first.
TEST_F(Artwork, MeterLightsFromTheBottomUpward) {
  const auto stack = images(146, 21);
  int previousHalfLit = 99;
  for (int lamp = 0; lamp < 5; ++lamp) {  // bottom lamp first
    const int top = (4 - lamp) * 43 / 5, bottom = top + 43 / 5;
    const double dark = brightness(stack[0], top, bottom);
    const double lit = brightness(stack[20], top, bottom);
    EXPECT_GT(lit, dark + 40) << "lamp " << lamp;
    int halfLit = -1;
    for (int k = 1; k < 21; ++k) {
      const double b = brightness(stack[size_t(k)], top, bottom);
      EXPECT_GE(b, brightness(stack[size_t(k - 1)], top, bottom) - 0.5) << lamp << " " << k;
      if (halfLit < 0 && b > (dark + lit) / 2) {
        halfLit = k;
      }
    }
    if (lamp > 0) {
      EXPECT_GT(halfLit, previousHalfLit) << "lamp " << lamp;
    }
    previousHalfLit = halfLit;
  }
}

TEST_F(Artwork, DigitsDifferAndTheBlankIsDarkest) {
  for (int32_t id = 140; id <= 143; ++id) {
    SCOPED_TRACE(id);
    const auto stack = images(id, 12);
    for (size_t a = 0; a < 12; ++a) {
      for (size_t b = a + 1; b < 12; ++b) {
        EXPECT_NE(stack[a].pixels, stack[b].pixels) << a << " " << b;
      }
      if (a != 10) {
        EXPECT_LT(brightness(stack[10], 0, 20), brightness(stack[a], 0, 20)) << a;
      }
    }
  }
  // The modulation lamp brightens step by step.
  const auto lamp = images(153, 101);
  for (size_t k = 1; k < lamp.size(); ++k) {
    EXPECT_GT(brightness(lamp[k], 0, 10), brightness(lamp[k - 1], 0, 10)) << k;
  }
}

// The pointer's direction is where an image differs most from the knob's
// average over all its images: it turns clockwise from -135 to +135 degrees.
TEST_F(Artwork, KnobPointersTurnThroughTheirArc) {
  for (int32_t id : {131, 132, 133, 136, 148, 149, 150, 151}) {
    SCOPED_TRACE(id);
    const auto stack = images(id, 101);
    const int w = stack[0].width, h = stack[0].height;
    std::vector<double> mean(size_t(w * h), 0.0);
    for (const Image& image : stack) {
      for (size_t i = 0; i < mean.size(); ++i) {
        mean[i] += luminance(image.pixels[i]) / double(stack.size());
      }
    }
    double previous = -180;
    for (size_t k = 0; k < stack.size(); ++k) {
      double sx = 0, sy = 0;
      for (int y = 0; y < h; ++y) {
        for (int x = 0; x < w; ++x) {
          const size_t i = size_t(y) * size_t(w) + size_t(x);
          const double d = std::abs(luminance(stack[k].pixels[i]) - mean[i]);
          const double excess = d > 20 ? d : 0.0;
          sx += excess * (x + 0.5 - w / 2.0);
          sy += excess * (y + 0.5 - h / 2.0);
        }
      }
      const double angle = std::atan2(sx, -sy) * 180.0 / std::numbers::pi;
      EXPECT_GT(angle, previous) << "image " << k;
      previous = angle;
      if (k == 0) {
        EXPECT_NEAR(angle, -135, 8);
      } else if (k == 100) {
        EXPECT_NEAR(angle, 135, 8);
      }
    }
  }
}
