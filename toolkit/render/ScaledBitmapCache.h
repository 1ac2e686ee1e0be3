// Pictures resampled to the physical size they are drawn at. A slide that pans or fades
// keeps its size from frame to frame, so after the first frame it costs only a blend.
// Entries are found by the picture's content, not its address, so a picture replaced by
// another at the same address is never drawn stale.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <vector>

#include "platform/Bitmap.h"
#include "toolkit/render/BitmapScaler.h"

namespace dw {

class ScaledBitmapCache {
 public:
  static constexpr std::size_t kDefaultBudgetBytes = std::size_t{64} << 20;

  explicit ScaledBitmapCache(std::size_t budgetBytes = kDefaultBudgetBytes);

  // The picture resampled to width x height, or null when that alone would take more than
  // half the budget (the caller then resamples only what it shows).
  std::shared_ptr<const PremultipliedImage> Get(const Bitmap& bitmap, int width, int height);

  std::size_t Bytes() const { return bytes_; }
  std::size_t Entries() const { return entries_.size(); }
  int Misses() const { return misses_; }

 private:
  struct Entry {
    std::uint64_t fingerprint = 0;
    int sourceWidth = 0;
    int sourceHeight = 0;
    std::shared_ptr<const PremultipliedImage> image;
    std::uint64_t lastUse = 0;
  };

  std::size_t budget_;
  std::size_t bytes_ = 0;
  std::uint64_t clock_ = 0;
  int misses_ = 0;
  std::vector<Entry> entries_;
};

// A 64-bit digest of a picture's pixels.
std::uint64_t FingerprintPixels(const std::uint32_t* pixels, std::size_t count);

}  // namespace dw
