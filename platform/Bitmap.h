// A decoded picture: premultiplied-free 0xAARRGGBB pixels, rows top to bottom.
#pragma once

#include <cstdint>
#include <utility>
#include <vector>

namespace dw {

// Names one picture whose pixels will not change again, so that what is made from them (a
// resampled copy) is found again without reading them. 0 names nothing. A copy may be
// changed by whoever holds it, so it starts without a name; a move hands the name over.
class PixelsStamp {
 public:
  PixelsStamp() = default;
  PixelsStamp(const PixelsStamp&) noexcept {}
  PixelsStamp(PixelsStamp&& other) noexcept
      : value_(std::exchange(other.value_, 0)), opacity_(std::exchange(other.opacity_, kUnknown)) {}
  PixelsStamp& operator=(const PixelsStamp&) noexcept {
    Clear();
    return *this;
  }
  PixelsStamp& operator=(PixelsStamp&& other) noexcept {
    value_ = std::exchange(other.value_, 0);
    opacity_ = std::exchange(other.opacity_, kUnknown);
    return *this;
  }

  std::uint64_t Value() const { return value_; }
  // A name never given before: call it after the last change to the pixels, and again
  // after any later change (or Clear it).
  void Renew() {
    static std::uint64_t last = 0;  // one thread draws and loads pictures
    value_ = ++last;
    opacity_ = kUnknown;
  }
  void Clear() {
    value_ = 0;
    opacity_ = kUnknown;
  }

  // Whether every pixel's alpha is 255, once worked out for a stamped picture: 1 or 0, or
  // -1 when not known yet.
  int KnownOpaque() const { return value_ != 0 ? opacity_ : kUnknown; }
  void RememberOpaque(bool opaque) const { opacity_ = opaque ? 1 : 0; }

 private:
  static constexpr int kUnknown = -1;
  std::uint64_t value_ = 0;
  mutable int opacity_ = kUnknown;
};

struct Bitmap {
  int width = 0;
  int height = 0;
  std::vector<std::uint32_t> pixels;
  PixelsStamp stamp;

  bool IsEmpty() const { return width <= 0 || height <= 0; }
};

}  // namespace dw
