// Pictures resampled to the physical size they are drawn at. A slide that pans or fades
// keeps its size from frame to frame, so after the first frame it costs only a blend.
// A picture is resampled tile by tile as its parts come into view: the first frame of a
// large slide at a high scale pays only for what it shows, and a pan for what it uncovers.
// Entries are found by the picture's stamp, which costs nothing to compare; a picture
// without one is known by its content (its pixels read on every draw), never by its address,
// so a picture replaced by another at the same address is never drawn stale.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <new>
#include <vector>

#include "platform/Bitmap.h"
#include "toolkit/render/BitmapScaler.h"

namespace dw {

// An allocator whose resize leaves new elements uninitialised: tiles are written before
// they are read, and zeroing a large picture first would cost as much as a tile.
template <class T>
struct UninitializedAllocator : std::allocator<T> {
  template <class U>
  struct rebind {
    using other = UninitializedAllocator<U>;
  };
  UninitializedAllocator() = default;
  template <class U>
  UninitializedAllocator(const UninitializedAllocator<U>&) {}
  template <class U>
  void construct(U* p) noexcept {
    ::new (static_cast<void*>(p)) U;
  }
  template <class U, class... Args>
  void construct(U* p, Args&&... args) {
    ::new (static_cast<void*>(p)) U(std::forward<Args>(args)...);
  }
};

// A picture at one size, premultiplied; only the tiles made so far hold pixels.
struct ScaledImage {
  static constexpr int kTileWidth = 256;
  static constexpr int kTileHeight = 64;

  int width = 0;
  int height = 0;
  bool opaque = true;  // every pixel's alpha is 255
  std::vector<std::uint32_t, UninitializedAllocator<std::uint32_t>> pixels;  // width per row
  int tileColumns = 0;
  std::vector<std::uint8_t> ready;  // per tile, row by row
};

class ScaledBitmapCache {
 public:
  static constexpr std::size_t kDefaultBudgetBytes = std::size_t{64} << 20;

  explicit ScaledBitmapCache(std::size_t budgetBytes = kDefaultBudgetBytes);

  // The picture resampled to width x height, or null when that alone would take more than
  // half the budget (the caller then resamples only what it shows). The first form makes
  // the whole picture, the second at least the part `needed` (in the image's pixels).
  std::shared_ptr<const ScaledImage> Get(const Bitmap& bitmap, int width, int height);
  std::shared_ptr<const ScaledImage> Get(const Bitmap& bitmap, int width, int height,
                                         const PixelRect& needed);
  // Makes up to maxTiles more tiles of the picture at width x height; true once all are made,
  // or when the picture is too large to keep.
  bool Prepare(const Bitmap& bitmap, int width, int height, int maxTiles);

  std::size_t Bytes() const { return bytes_; }
  std::size_t Entries() const { return entries_.size(); }
  int Misses() const { return misses_; }
  // Tiles resampled since the cache was made.
  int TilesMade() const { return tiles_made_; }

 private:
  struct Entry {
    std::uint64_t stamp = 0;        // the picture's, or 0
    std::uint64_t fingerprint = 0;  // of the pixels of a picture without a stamp
    int sourceWidth = 0;
    int sourceHeight = 0;
    std::shared_ptr<ScaledImage> image;
    std::uint64_t lastUse = 0;
  };
  // The entry of the picture at width x height, made (empty) if there is none; null when it
  // would take more than half the budget.
  Entry* Find(const Bitmap& bitmap, int width, int height);
  // Makes the missing tiles of `needed`, at most maxTiles of them (-1: all); true when none
  // is missing any more.
  bool MakeTiles(ScaledImage& image, const Bitmap& bitmap, const PixelRect& needed,
                 int maxTiles = -1);

  std::size_t budget_;
  std::size_t bytes_ = 0;
  std::uint64_t clock_ = 0;
  int misses_ = 0;
  int tiles_made_ = 0;
  std::vector<Entry> entries_;
};

// A 64-bit digest of a picture's pixels.
std::uint64_t FingerprintPixels(const std::uint32_t* pixels, std::size_t count);

}  // namespace dw
