#include "toolkit/render/ScaledBitmapCache.h"

#include <algorithm>
#include <cstring>

namespace dw {

namespace {

constexpr std::uint64_t kMultiplier = 0x9E3779B97F4A7C15ull;

std::uint64_t Mix(std::uint64_t h, std::uint64_t word) {
  h = (h ^ word) * kMultiplier;
  return (h << 31) | (h >> 33);
}

// 64-bit even in a 32-bit process, where a huge target must not wrap around.
std::uint64_t ImageBytes(int width, int height) {
  return static_cast<std::uint64_t>(width) * static_cast<std::uint64_t>(height) * 4;
}

}  // namespace

std::uint64_t FingerprintPixels(const std::uint32_t* pixels, std::size_t count) {
  // Four independent lanes keep the multiplier busy; this runs on every draw of a scaled
  // picture, so it must stay near memory speed.
  std::uint64_t lanes[4] = {1, 2, 3, 4};
  std::size_t i = 0;
  for (; i + 8 <= count; i += 8) {
    std::uint64_t words[4];
    std::memcpy(words, pixels + i, sizeof words);
    for (int k = 0; k < 4; ++k) lanes[k] = Mix(lanes[k], words[k]);
  }
  std::uint64_t h = count;
  for (; i < count; ++i) h = Mix(h, pixels[i]);
  for (std::uint64_t lane : lanes) h = Mix(h, lane);
  return h;
}

ScaledBitmapCache::ScaledBitmapCache(std::size_t budgetBytes) : budget_(budgetBytes) {}

std::shared_ptr<const PremultipliedImage> ScaledBitmapCache::Get(const Bitmap& bitmap, int width,
                                                                 int height) {
  if (width <= 0 || height <= 0 || ImageBytes(width, height) > budget_ / 2) return nullptr;
  const std::uint64_t fingerprint = FingerprintPixels(bitmap.pixels.data(), bitmap.pixels.size());
  ++clock_;
  for (Entry& entry : entries_) {
    if (entry.fingerprint == fingerprint && entry.sourceWidth == bitmap.width &&
        entry.sourceHeight == bitmap.height && entry.image->width == width &&
        entry.image->height == height) {
      entry.lastUse = clock_;
      return entry.image;
    }
  }

  ++misses_;
  const ResampleSource source(bitmap, width, height);
  auto image = std::make_shared<PremultipliedImage>();
  image->width = width;
  image->height = height;
  image->opaque = source.Opaque();
  image->pixels.resize(static_cast<std::size_t>(width) * height);
  ResampleBilinear(source, width, height, {0, 0, width, height}, image->pixels.data());

  // Make room, least recently used first.
  const std::size_t needed = static_cast<std::size_t>(ImageBytes(width, height));
  while (!entries_.empty() && bytes_ + needed > budget_) {
    auto oldest =
        std::min_element(entries_.begin(), entries_.end(),
                         [](const Entry& a, const Entry& b) { return a.lastUse < b.lastUse; });
    bytes_ -= static_cast<std::size_t>(ImageBytes(oldest->image->width, oldest->image->height));
    entries_.erase(oldest);
  }
  entries_.push_back({fingerprint, bitmap.width, bitmap.height, image, clock_});
  bytes_ += needed;
  return image;
}

}  // namespace dw
