// Polygons and thick lines, filled by scanline at pixel centres without anti-aliasing.
#include <algorithm>
#include <cmath>

#include "toolkit/render/Canvas.h"

namespace dw {

namespace {

struct Edge {
  double top = 0;     // physical y where the edge starts (inclusive)
  double bottom = 0;  // physical y where it ends (exclusive)
  double xAtTop = 0;
  double slope = 0;  // dx / dy
  int winding = 0;   // +1 downwards, -1 upwards
};

// The first pixel whose centre lies at or right of x, held inside the clip.
int ClampedColumn(double x, const PixelRect& clip) {
  const double column = std::ceil(x - 0.5);
  if (!(column > clip.Left)) return clip.Left;
  if (column > clip.Right) return clip.Right;
  return static_cast<int>(column);
}

struct Crossing {
  double x = 0;
  int winding = 0;
};

}  // namespace

void Canvas::FillPolygon(const std::vector<PointF>& points, std::uint32_t argb) {
  FillPolygon(points, argb, FillRule::NonZero);
}

void Canvas::FillPolygon(const std::vector<PointF>& points, std::uint32_t argb, FillRule rule) {
  const unsigned alpha = EffectiveAlpha(argb);
  const PixelRect clip = ClipPixels();
  if (points.size() < 3 || alpha == 0 || clip.IsEmpty()) return;

  std::vector<Edge> edges;
  edges.reserve(points.size());
  double minY = HUGE_VAL;
  double maxY = -HUGE_VAL;
  for (std::size_t i = 0; i < points.size(); ++i) {
    const PointF& a = points[i];
    const PointF& b = points[(i + 1) % points.size()];
    const double ax = Physical(a.X), ay = Physical(a.Y);
    const double bx = Physical(b.X), by = Physical(b.Y);
    if (!std::isfinite(ax) || !std::isfinite(ay) || !std::isfinite(bx) || !std::isfinite(by)) {
      return;
    }
    if (ay == by) continue;  // horizontal edges cross no row centre
    Edge edge;
    edge.winding = by > ay ? 1 : -1;
    edge.top = std::min(ay, by);
    edge.bottom = std::max(ay, by);
    edge.xAtTop = ay < by ? ax : bx;
    edge.slope = (bx - ax) / (by - ay);
    edges.push_back(edge);
    minY = std::min(minY, edge.top);
    maxY = std::max(maxY, edge.bottom);
  }
  if (edges.empty()) return;

  // Rows whose centres lie within the polygon's vertical extent, inside the clip.
  const int firstRow = static_cast<int>(std::max<double>(clip.Top, std::ceil(minY - 0.5)));
  const int endRow = static_cast<int>(std::min<double>(clip.Bottom, std::ceil(maxY - 0.5)));
  std::vector<Crossing> crossings;
  for (int y = firstRow; y < endRow; ++y) {
    const double centre = y + 0.5;
    crossings.clear();
    for (const Edge& edge : edges) {
      if (centre >= edge.top && centre < edge.bottom) {
        crossings.push_back({edge.xAtTop + (centre - edge.top) * edge.slope, edge.winding});
      }
    }
    std::sort(crossings.begin(), crossings.end(),
              [](const Crossing& a, const Crossing& b) { return a.x < b.x; });
    int winding = 0;
    for (std::size_t i = 0; i + 1 < crossings.size(); ++i) {
      winding += rule == FillRule::EvenOdd ? 1 : crossings[i].winding;
      const bool inside = rule == FillRule::EvenOdd ? (winding & 1) != 0 : winding != 0;
      if (!inside) continue;
      // Pixels whose centres lie in [x_i, x_i+1).
      BlendRow(y, ClampedColumn(crossings[i].x, clip), ClampedColumn(crossings[i + 1].x, clip),
               argb, alpha);
    }
  }
}

void Canvas::DrawLine(PointF from, PointF to, float thickness, std::uint32_t argb) {
  if (!(thickness > 0)) return;
  const float half = thickness / 2;
  const float dx = to.X - from.X;
  const float dy = to.Y - from.Y;
  const float length = std::sqrt(dx * dx + dy * dy);
  if (!(length > 0)) {
    // No direction: the square ends meet in a square around the point.
    FillRect({from.X - half, from.Y - half, from.X + half, from.Y + half}, argb);
    return;
  }
  // Along the line, and across it, each half the thickness long.
  const float ux = dx / length * half;
  const float uy = dy / length * half;
  const float nx = -uy;
  const float ny = ux;
  FillPolygon({{from.X - ux + nx, from.Y - uy + ny},
               {to.X + ux + nx, to.Y + uy + ny},
               {to.X + ux - nx, to.Y + uy - ny},
               {from.X - ux - nx, from.Y - uy - ny}},
              argb, FillRule::NonZero);
}

}  // namespace dw
