#include "gui/cbitmap.h"

#include <cstring>
#include <map>
#include <new>

#include "gui/cdrawcontext.h"
#include "gui/packedbytes.h"
#include "gui/zoomscale.h"

namespace {

uint32_t readU32(const uint8_t* p) {
  return uint32_t(p[0]) | uint32_t(p[1]) << 8 | uint32_t(p[2]) << 16 | uint32_t(p[3]) << 24;
}
uint16_t readU16(const uint8_t* p) { return uint16_t(p[0] | p[1] << 8); }

// Position of the lowest set bit and the width of a channel mask.
void maskShape(uint32_t mask, int& shift, int& bits) {
  shift = 0;
  bits = 0;
  if (mask == 0) {
    return;
  }
  while ((mask & 1u) == 0) {
    mask >>= 1;
    ++shift;
  }
  while ((mask & 1u) != 0) {
    mask >>= 1;
    ++bits;
  }
}

uint8_t channel(uint32_t pixel, uint32_t mask) {
  int shift = 0;
  int bits = 0;
  maskShape(mask, shift, bits);
  if (bits == 0) {
    return 0;
  }
  const uint32_t v = (pixel & mask) >> shift;
  const uint32_t max = (bits >= 32) ? 0xFFFFFFFFu : ((1u << bits) - 1);
  return uint8_t((v * 255 + max / 2) / max);
}

uint32_t premultiply(uint8_t a, uint8_t r, uint8_t g, uint8_t b) {
  auto mul = [a](uint8_t c) { return uint32_t((c * a + 127) / 255); };
  return uint32_t(a) << 24 | mul(r) << 16 | mul(g) << 8 | mul(b);
}

std::map<int32_t, platform::ResourceBytes>& resourceTable() {
  static std::map<int32_t, platform::ResourceBytes> table;
  return table;
}

}  // namespace

bool decodeBmp(const uint8_t* data, size_t size, int& width, int& height,
               std::vector<uint32_t>& pixels) {
  if (data == nullptr || size < 40) {
    return false;
  }
  const uint8_t* info = data;
  size_t infoSize = size;
  if (data[0] == 'B' && data[1] == 'M') {
    info = data + 14;
    infoSize = size - 14;
    if (infoSize < 40) {
      return false;
    }
  }
  const uint32_t headerSize = readU32(info);
  if (headerSize < 40 || headerSize > infoSize) {
    return false;
  }
  const int32_t w = int32_t(readU32(info + 4));
  const int32_t rawHeight = int32_t(readU32(info + 8));
  const uint16_t bitCount = readU16(info + 14);
  const uint32_t compression = readU32(info + 16);
  uint32_t colorsUsed = readU32(info + 32);
  const bool topDown = rawHeight < 0;
  const int64_t h = topDown ? -int64_t(rawHeight) : int64_t(rawHeight);
  if (w <= 0 || h <= 0 || w > 32768 || h > 32768) {
    return false;
  }
  // Channel masks: BI_RGB fixed, BI_BITFIELDS (3) from the header or after it.
  uint32_t rMask = 0x00FF0000, gMask = 0x0000FF00, bMask = 0x000000FF, aMask = 0xFF000000;
  size_t tableStart = headerSize;
  if (compression == 3 && bitCount == 32) {
    const uint8_t* masks = info + 40;
    if (headerSize == 40) {
      if (infoSize < 52) {
        return false;
      }
      tableStart = 52;
      aMask = 0;
    } else if (headerSize >= 56) {
      aMask = readU32(info + 52);
    } else {
      aMask = 0;
    }
    rMask = readU32(masks);
    gMask = readU32(masks + 4);
    bMask = readU32(masks + 8);
  } else if (compression != 0) {
    return false;
  }
  if (bitCount != 8 && bitCount != 24 && bitCount != 32) {
    return false;
  }
  const size_t rowBytes = ((size_t(w) * bitCount + 31) / 32) * 4;
  const size_t pixelBytes = rowBytes * size_t(h);

  std::vector<uint32_t> palette;
  if (bitCount == 8) {
    if (colorsUsed == 0 || colorsUsed > 256) {
      colorsUsed = 256;
    }
    if (tableStart + size_t(colorsUsed) * 4 > infoSize) {
      return false;
    }
    for (uint32_t i = 0; i < colorsUsed; ++i) {
      const uint8_t* e = info + tableStart + size_t(i) * 4;
      palette.push_back(0xFF000000u | uint32_t(e[2]) << 16 | uint32_t(e[1]) << 8 | e[0]);
    }
    tableStart += size_t(colorsUsed) * 4;
  }
  // Pixel data: where the file header says, else right after the colour table.
  size_t pixelStart = tableStart;
  if (info != data) {
    const uint32_t offBits = readU32(data + 10);
    if (offBits < 14 || offBits - 14 > infoSize) {
      return false;
    }
    pixelStart = offBits - 14;
  }
  if (pixelStart > infoSize || infoSize - pixelStart < pixelBytes) {
    return false;
  }
  const uint8_t* bits = info + pixelStart;

  std::vector<uint32_t> out(size_t(w) * size_t(h));
  bool anyAlpha = false;
  for (int64_t row = 0; row < h; ++row) {
    const uint8_t* src = bits + rowBytes * size_t(topDown ? row : h - 1 - row);
    uint32_t* dst = out.data() + size_t(row) * size_t(w);
    for (int32_t x = 0; x < w; ++x) {
      if (bitCount == 8) {
        const uint8_t index = src[x];
        dst[x] = index < palette.size() ? palette[index] : 0xFF000000u;
      } else if (bitCount == 24) {
        const uint8_t* p = src + size_t(x) * 3;
        dst[x] = 0xFF000000u | uint32_t(p[2]) << 16 | uint32_t(p[1]) << 8 | p[0];
      } else {
        const uint32_t p = readU32(src + size_t(x) * 4);
        const uint8_t a = channel(p, aMask);
        anyAlpha = anyAlpha || a != 0;
        dst[x] = uint32_t(a) << 24 | uint32_t(channel(p, rMask)) << 16 |
                 uint32_t(channel(p, gMask)) << 8 | channel(p, bMask);
      }
    }
  }
  if (bitCount == 32) {
    for (uint32_t& p : out) {
      const uint8_t a = anyAlpha ? uint8_t(p >> 24) : 255;
      p = premultiply(a, uint8_t(p >> 16), uint8_t(p >> 8), uint8_t(p));
    }
  }
  width = w;
  height = int(h);
  pixels = std::move(out);
  return true;
}

bool decodeBitmapResource(const uint8_t* data, size_t size, int& width, int& height,
                          std::vector<uint32_t>& pixels) {
  if (!packed::isPacked(data, size)) {
    return decodeBmp(data, size, width, height, pixels);
  }
  std::vector<uint8_t> bytes;
  return packed::unpack(data, size, bytes) &&
         decodeBmp(bytes.data(), bytes.size(), width, height, pixels);
}

void registerBitmapResource(int32_t id, const uint8_t* data, size_t size) {
  resourceTable()[id] = {data, size};
}

void registerBitmapResources(const BitmapResourceEntry* entries, size_t count) {
  for (size_t i = 0; i < count; ++i) {
    registerBitmapResource(entries[i].id, entries[i].data, entries[i].size);
  }
}

void unregisterBitmapResource(int32_t id) { resourceTable().erase(id); }

platform::ResourceBytes findBitmapResource(int32_t id) {
  const auto found = resourceTable().find(id);
  if (found != resourceTable().end()) {
    return found->second;
  }
  return platform::findModuleBitmap(id);
}

CBitmap::CBitmap(const CResourceDescription& desc) : resourceId(desc.id) {
  const platform::ResourceBytes bytes = findBitmapResource(desc.id);
  if (!decodeBitmapResource(bytes.data, bytes.size, width, height, pixels)) {
    width = 0;
    height = 0;
    pixels.clear();
  }
}

CBitmap::CBitmap(CCoord w, CCoord h)
    : width(w > 0 ? int(w) : 0),
      height(h > 0 ? int(h) : 0),
      pixels(size_t(width) * size_t(height), 0u) {}

uint32_t CBitmap::getPixel(int x, int y) const {
  if (x < 0 || y < 0 || x >= width || y >= height) {
    return 0;
  }
  return pixels[size_t(y) * size_t(width) + size_t(x)];
}

void CBitmap::setPixel(int x, int y, uint32_t argb) {
  if (x >= 0 && y >= 0 && x < width && y < height) {
    pixels[size_t(y) * size_t(width) + size_t(x)] = argb;
  }
}

BitmapPixels CBitmap::pixelsAt(int zoom) {
  const BitmapPixels own{width, height, pixels.data(), zoom == 100};
  if (zoom == 100 || resourceId < 0) {
    return own;
  }
  ZoomedSet& set = zoomed[zoom == 150 ? 0 : 1];
  if (!set.tried || set.zoom != zoom) {
    set = ZoomedSet{zoom, true, 0, 0, {}};
    const platform::ResourceBytes bytes = findBitmapResource(zoomedResourceId(resourceId, zoom));
    int w = 0, h = 0;
    std::vector<uint32_t> decoded;
    // Only a set drawn for this bitmap fits: its width scaled, its stack of
    // images at least the scaled height (each image's height is rounded up).
    if (decodeBitmapResource(bytes.data, bytes.size, w, h, decoded) &&
        w == zoomedLength(width, zoom) && h >= zoomedLength(height, zoom) &&
        h <= zoomedLength(height, zoom) + height) {
      set.width = w;
      set.height = h;
      set.pixels = std::move(decoded);
    }
  }
  if (set.pixels.empty()) {
    return own;
  }
  return {set.width, set.height, set.pixels.data(), true};
}

void CBitmap::draw(CDrawContext* context, const CRect& dest, const CPoint& offset, float alpha) {
  if (context != nullptr) {
    context->drawBitmap(this, dest, offset, alpha);
  }
}

bool CBitmap::isTypeOf(const char* type) const {
  return std::strcmp(type, "CBitmap") == 0 || CBaseObject::isTypeOf(type);
}

BitmapSet::~BitmapSet() {
  for (int i = 0; i < count; ++i) {
    loaded[i]->forget();
  }
}

CBitmap* BitmapSet::get(int32_t id) {
  if (id == 0) {
    return nullptr;
  }
  for (int i = 0; i < count; ++i) {
    if (loaded[i]->getResourceId() == id) {
      return loaded[i];
    }
  }
  if (count == kMaxBitmaps) {
    return nullptr;
  }
  auto* bitmap = new (std::nothrow) CBitmap(CResourceDescription(id));
  if (bitmap != nullptr) {
    loaded[count++] = bitmap;
  }
  return bitmap;
}
