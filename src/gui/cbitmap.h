// Bitmaps: BMP decoding (8-bit palette, 24 and 32 bits per pixel), the table of
// bitmap resources by number, CBitmap, loaded by resource number, and the set
// a window loads its controls' bitmaps into.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "gui/guiplatform.h"
#include "gui/guitypes.h"

class CDrawContext;

// Decodes a BMP file image, with its 14-byte file header or without it (as
// Windows keeps RT_BITMAP resources). Pixels come out top row first as
// premultiplied 0xAARRGGBB. A 32-bit image whose alpha bytes are all 0 is taken
// as opaque. False for anything else (other depths, compression, truncation).
bool decodeBmp(const uint8_t* data, size_t size, int& width, int& height,
               std::vector<uint32_t>& pixels);
// The same for a resource that may be packed (the scaled sets are).
bool decodeBitmapResource(const uint8_t* data, size_t size, int& width, int& height,
                          std::vector<uint32_t>& pixels);

// Bitmap resources by number. Registered bytes are found first (the Linux build
// registers the BMP files it embeds; tests register their own); then the
// module's own resources (the Windows DLL's RT_BITMAP resources). The bytes are
// not copied: they must outlive every lookup.
struct BitmapResourceEntry {
  int32_t id;
  const uint8_t* data;
  size_t size;
};
void registerBitmapResource(int32_t id, const uint8_t* data, size_t size);
void registerBitmapResources(const BitmapResourceEntry* entries, size_t count);
void unregisterBitmapResource(int32_t id);
platform::ResourceBytes findBitmapResource(int32_t id);

class CResourceDescription {
 public:
  CResourceDescription(int32_t id) : id(id) {}  // NOLINT: a number names a resource
  int32_t id;
};

// A bitmap's pixels as drawn at one zoom.
struct BitmapPixels {
  int width = 0;
  int height = 0;
  const uint32_t* data = nullptr;
  bool scaled = false;  // drawn for that zoom; else the 100 % pixels, to be stretched
};

class CBitmap : public CBaseObject {
 public:
  // Loads the bitmap resource of that number; isLoaded() tells whether it was found.
  explicit CBitmap(const CResourceDescription& desc);
  // A blank, fully transparent bitmap.
  CBitmap(CCoord width, CCoord height);

  bool isLoaded() const { return !pixels.empty(); }
  int32_t getResourceId() const { return resourceId; }
  // Width and height at 100 %, whatever the zoom it is drawn at.
  CCoord getWidth() const { return width; }
  CCoord getHeight() const { return height; }
  // The pixels for a zoom in percent: the resource's scaled set, loaded on
  // first use, when the module has one of the right size; else the 100 % pixels.
  BitmapPixels pixelsAt(int zoom);
  // Premultiplied 0xAARRGGBB, 0 outside the bitmap.
  uint32_t getPixel(int x, int y) const;
  void setPixel(int x, int y, uint32_t argb);
  const std::vector<uint32_t>& getPixels() const { return pixels; }

  // Draws the part of the bitmap that starts at `offset` into `dest`, blended
  // with its alpha times `alpha` (0 to 1).
  void draw(CDrawContext* context, const CRect& dest, const CPoint& offset = CPoint(0, 0),
            float alpha = 1.0f);

  bool isTypeOf(const char* type) const override;

 private:
  int32_t resourceId = -1;
  int width = 0;
  int height = 0;
  std::vector<uint32_t> pixels;
  struct ZoomedSet {
    int zoom = 0;
    bool tried = false;
    int width = 0;
    int height = 0;
    std::vector<uint32_t> pixels;
  };
  ZoomedSet zoomed[2];  // 150 % and 200 %
};

// The bitmaps a window's controls show, each loaded once while they are built;
// the set lets go of them all at its end (the controls keep their own
// references).
class BitmapSet {
 public:
  BitmapSet() = default;
  ~BitmapSet();
  BitmapSet(const BitmapSet&) = delete;
  BitmapSet& operator=(const BitmapSet&) = delete;
  // Null for number 0 (no bitmap) or when memory ran out.
  CBitmap* get(int32_t id);

 private:
  static constexpr int kMaxBitmaps = 32;
  CBitmap* loaded[kMaxBitmaps] = {};
  int count = 0;
};
