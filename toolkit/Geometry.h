// Device-independent geometry of the toolkit.
#pragma once

namespace dw {

struct PointF {
  float X = 0;
  float Y = 0;
};

// A box by its edges.
struct RectF {
  float Left = 0;
  float Top = 0;
  float Right = 0;
  float Bottom = 0;

  static RectF FromXYWH(float x, float y, float w, float h) { return {x, y, x + w, y + h}; }
  float Width() const { return Right - Left; }
  float Height() const { return Bottom - Top; }
  bool IsEmpty() const { return !(Right > Left && Bottom > Top); }
  bool Contains(float x, float y) const { return x >= Left && x < Right && y >= Top && y < Bottom; }
  RectF Offset(float dx, float dy) const { return {Left + dx, Top + dy, Right + dx, Bottom + dy}; }
  RectF Intersect(const RectF& o) const {
    RectF r{Left > o.Left ? Left : o.Left, Top > o.Top ? Top : o.Top,
            Right < o.Right ? Right : o.Right, Bottom < o.Bottom ? Bottom : o.Bottom};
    if (r.Right < r.Left) r.Right = r.Left;
    if (r.Bottom < r.Top) r.Bottom = r.Top;
    return r;
  }
  RectF Union(const RectF& o) const {
    if (IsEmpty()) return o;
    if (o.IsEmpty()) return *this;
    return {Left < o.Left ? Left : o.Left, Top < o.Top ? Top : o.Top,
            Right > o.Right ? Right : o.Right, Bottom > o.Bottom ? Bottom : o.Bottom};
  }
};

// Margins: left, top, right, bottom.
struct Bounds {
  float Left = 0;
  float Top = 0;
  float Right = 0;
  float Bottom = 0;
};

}  // namespace dw
