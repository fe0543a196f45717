#include "guitest.h"

#include <map>
#include <memory>

namespace guitest {
namespace {

void put16(std::vector<uint8_t>& out, uint32_t v) {
  out.push_back(uint8_t(v));
  out.push_back(uint8_t(v >> 8));
}
void put32(std::vector<uint8_t>& out, uint32_t v) {
  put16(out, v & 0xFFFF);
  put16(out, v >> 16);
}

}  // namespace

std::vector<uint8_t> makeBmp(int w, int h, int bits,
                             const std::function<uint32_t(int x, int y)>& pixel,
                             BmpOptions options) {
  std::vector<uint32_t> palette;
  std::map<uint32_t, uint8_t> paletteIndex;
  if (bits == 8) {
    for (int y = 0; y < h; ++y) {
      for (int x = 0; x < w; ++x) {
        const uint32_t c = pixel(x, y) & 0xFFFFFF;
        if (paletteIndex.count(c) == 0) {
          paletteIndex[c] = uint8_t(palette.size());
          palette.push_back(c);
        }
      }
    }
  }
  const bool bitfields = bits == 32 && options.bitfields;
  const size_t rowBytes = ((size_t(w) * size_t(bits) + 31) / 32) * 4;
  const uint32_t tableBytes = uint32_t(palette.size() * 4 + (bitfields ? 12 : 0));
  const uint32_t headerBytes = (options.fileHeader ? 14 : 0) + 40 + tableBytes;
  std::vector<uint8_t> out;
  if (options.fileHeader) {
    out.push_back('B');
    out.push_back('M');
    put32(out, uint32_t(headerBytes + rowBytes * size_t(h)));
    put32(out, 0);
    put32(out, headerBytes);
  }
  put32(out, 40);
  put32(out, uint32_t(w));
  put32(out, uint32_t(options.topDown ? -h : h));
  put16(out, 1);
  put16(out, uint32_t(bits));
  put32(out, bitfields ? 3 : 0);
  put32(out, uint32_t(rowBytes * size_t(h)));
  put32(out, 2835);
  put32(out, 2835);
  put32(out, uint32_t(palette.size()));
  put32(out, 0);
  if (bitfields) {
    // Channels in an unusual order: red low, blue high, alpha ignored.
    put32(out, 0x000000FF);
    put32(out, 0x0000FF00);
    put32(out, 0x00FF0000);
  }
  for (uint32_t c : palette) {
    put32(out, c);  // B, G, R, 0
  }
  for (int row = 0; row < h; ++row) {
    const int y = options.topDown ? row : h - 1 - row;
    std::vector<uint8_t> line;
    for (int x = 0; x < w; ++x) {
      const uint32_t p = pixel(x, y);
      if (bits == 8) {
        line.push_back(paletteIndex[p & 0xFFFFFF]);
      } else if (bits == 24) {
        line.push_back(uint8_t(p));
        line.push_back(uint8_t(p >> 8));
        line.push_back(uint8_t(p >> 16));
      } else if (bitfields) {
        line.push_back(uint8_t(p >> 16));
        line.push_back(uint8_t(p >> 8));
        line.push_back(uint8_t(p));
        line.push_back(0);
      } else {
        put32(line, p);
      }
    }
    line.resize(rowBytes, 0);
    out.insert(out.end(), line.begin(), line.end());
  }
  return out;
}

RegisteredBitmap::RegisteredBitmap(int32_t id, std::vector<uint8_t> data)
    : id(id), bytes(std::move(data)) {
  registerBitmapResource(id, bytes.data(), bytes.size());
}

RegisteredBitmap::~RegisteredBitmap() { unregisterBitmapResource(id); }

CBitmap* stackedBitmap(int32_t id, int w, int h, int images,
                       const std::function<uint32_t(int k)>& colour,
                       std::vector<std::unique_ptr<RegisteredBitmap>>& keep) {
  keep.push_back(std::make_unique<RegisteredBitmap>(
      id, makeBmp(w, h * images, 24, [&](int, int y) { return colour(y / h); })));
  return new CBitmap(id);
}

uint32_t grey(int k) {
  return 0xFF000000u | uint32_t(k * 40) << 16 | uint32_t(k * 40) << 8 | uint32_t(k * 40);
}

void FrameTest::SetUp() {
  liveBefore = CBaseObject::liveObjects();
  frame = new CFrame(frameSize, &editor);
}

void FrameTest::TearDown() {
  frame->close();
  EXPECT_EQ(CBaseObject::liveObjects(), liveBefore);
}

CBitmap* FrameTest::images(int w, int h, int count) {
  return stackedBitmap(8000 + int32_t(keep.size()), w, h, count, grey, keep);
}

int FrameTest::shown(int x, int y) {
  frame->idle();
  return int((frame->getPixel(x, y) & 0xFF) / 40);
}

}  // namespace guitest
