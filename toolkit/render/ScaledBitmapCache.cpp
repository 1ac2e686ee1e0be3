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
  // picture without a stamp, so it must stay near memory speed.
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

std::shared_ptr<const ScaledImage> ScaledBitmapCache::Get(const Bitmap& bitmap, int width,
                                                          int height) {
  return Get(bitmap, width, height, {0, 0, width, height});
}

std::shared_ptr<const ScaledImage> ScaledBitmapCache::Get(const Bitmap& bitmap, int width,
                                                          int height, const PixelRect& needed) {
  Entry* entry = Find(bitmap, width, height);
  if (entry == nullptr) return nullptr;
  MakeTiles(*entry->image, bitmap, needed);
  return entry->image;
}

bool ScaledBitmapCache::Prepare(const Bitmap& bitmap, int width, int height, int maxTiles) {
  Entry* entry = Find(bitmap, width, height);
  if (entry == nullptr) return true;
  return MakeTiles(*entry->image, bitmap, {0, 0, width, height}, std::max(maxTiles, 0));
}

ScaledBitmapCache::Entry* ScaledBitmapCache::Find(const Bitmap& bitmap, int width, int height) {
  if (width <= 0 || height <= 0 || ImageBytes(width, height) > budget_ / 2) return nullptr;
  const std::uint64_t stamp = bitmap.stamp.Value();
  const std::uint64_t fingerprint =
      stamp != 0 ? 0 : FingerprintPixels(bitmap.pixels.data(), bitmap.pixels.size());
  ++clock_;
  for (Entry& entry : entries_) {
    if (entry.stamp == stamp && entry.fingerprint == fingerprint &&
        entry.sourceWidth == bitmap.width && entry.sourceHeight == bitmap.height &&
        entry.image->width == width && entry.image->height == height) {
      entry.lastUse = clock_;
      return &entry;
    }
  }

  ++misses_;
  // Make room, least recently used first.
  const std::size_t bytes = static_cast<std::size_t>(ImageBytes(width, height));
  while (!entries_.empty() && bytes_ + bytes > budget_) {
    auto oldest =
        std::min_element(entries_.begin(), entries_.end(),
                         [](const Entry& a, const Entry& b) { return a.lastUse < b.lastUse; });
    bytes_ -= static_cast<std::size_t>(ImageBytes(oldest->image->width, oldest->image->height));
    entries_.erase(oldest);
  }
  auto image = std::make_shared<ScaledImage>();
  image->width = width;
  image->height = height;
  image->pixels.resize(static_cast<std::size_t>(width) * height);
  image->tileColumns = (width + ScaledImage::kTileWidth - 1) / ScaledImage::kTileWidth;
  const int tileRows = (height + ScaledImage::kTileHeight - 1) / ScaledImage::kTileHeight;
  image->ready.assign(static_cast<std::size_t>(image->tileColumns) * tileRows, 0);
  image->opaque = ResampleSource::IsOpaque(bitmap);
  entries_.push_back({stamp, fingerprint, bitmap.width, bitmap.height, std::move(image), clock_});
  bytes_ += bytes;
  return &entries_.back();
}

bool ScaledBitmapCache::MakeTiles(ScaledImage& image, const Bitmap& bitmap, const PixelRect& needed,
                                  int maxTiles) {
  const PixelRect area = needed.Intersect({0, 0, image.width, image.height});
  if (area.IsEmpty()) return true;
  constexpr int kW = ScaledImage::kTileWidth;
  constexpr int kH = ScaledImage::kTileHeight;
  const int firstColumn = area.Left / kW;
  const int lastColumn = (area.Right - 1) / kW;
  std::unique_ptr<ResampleSource> source;  // made only when a tile is missing
  for (int row = area.Top / kH; row <= (area.Bottom - 1) / kH; ++row) {
    std::uint8_t* ready = &image.ready[static_cast<std::size_t>(row) * image.tileColumns];
    for (int column = firstColumn; column <= lastColumn;) {
      if (ready[column] != 0) {
        ++column;
        continue;
      }
      if (maxTiles == 0) return false;
      // A run of missing tiles is resampled in one go.
      int end = column;
      while (end <= lastColumn && ready[end] == 0 && maxTiles != 0) {
        ready[end++] = 1;
        if (maxTiles > 0) --maxTiles;
      }
      if (!source) {
        source = std::make_unique<ResampleSource>(bitmap, image.width, image.height, image.opaque);
      }
      const PixelRect region{column * kW, row * kH, std::min(end * kW, image.width),
                             std::min((row + 1) * kH, image.height)};
      ResampleBilinear(*source, image.width, image.height, region,
                       &image.pixels[static_cast<std::size_t>(region.Top) * image.width +
                                     static_cast<std::size_t>(region.Left)],
                       static_cast<std::size_t>(image.width));
      tiles_made_ += end - column;
      column = end;
    }
  }
  return true;
}

}  // namespace dw
