// The align layout: children are placed in passes by Align, each pass taking its share of
// a free box that starts as the container's content box.
#include <algorithm>
#include <cmath>
#include <vector>

#include "toolkit/Control.h"

namespace dw {

namespace {

// Lengths are computed in double: declared values reach 10^17 and beyond.
struct Box {
  double left, top, right, bottom;
  double Width() const { return right - left; }
  double Height() const { return bottom - top; }
};

float NonNegative(double value) {
  return value < 0 ? 0.0f : static_cast<float>(value);
}

constexpr Align kPassOrder[] = {Align::MostTop,   Align::MostBottom, Align::MostLeft,
                                Align::MostRight, Align::Top,        Align::Bottom,
                                Align::Left,      Align::Right,      Align::Client,
                                Align::Contents,  Align::Center};

struct Entry {
  Control* control;
  int childIndex;
};

void SortForPass(Align align, std::vector<Entry>& entries) {
  auto key = [align](const Entry& e) -> double {
    PointF p = e.control->Position();
    switch (align) {
      case Align::Top:
      case Align::MostTop:
        return p.Y;
      case Align::Left:
      case Align::MostLeft:
        return p.X;
      case Align::Bottom:
      case Align::MostBottom:
        return static_cast<double>(p.Y) + e.control->Height();
      case Align::Right:
      case Align::MostRight:
        return static_cast<double>(p.X) + e.control->Width();
      default:
        return 0;
    }
  };
  bool descending = align == Align::Bottom || align == Align::MostBottom || align == Align::Right ||
                    align == Align::MostRight;
  std::sort(entries.begin(), entries.end(), [&](const Entry& a, const Entry& b) {
    double ka = key(a), kb = key(b);
    if (ka != kb) return descending ? ka > kb : ka < kb;
    // Equal keys: Top and Left keep child order, Bottom and Right take the later child first.
    return descending ? a.childIndex > b.childIndex : a.childIndex < b.childIndex;
  });
}

}  // namespace

void LayoutChildren(Control& container) {
  // Nothing to place (most style parts): skip the passes.
  if (container.Children().empty()) return;
  RectF contentRect = container.ContentRect();
  const Box content{contentRect.Left, contentRect.Top, contentRect.Right, contentRect.Bottom};
  Box free = content;

  std::vector<Entry> entries;
  for (Align pass : kPassOrder) {
    entries.clear();
    const auto& children = container.Children();
    for (std::size_t i = 0; i < children.size(); ++i) {
      Control* child = children[i];
      if (child->GetAlign() == pass && child->Visible() && container.ShowsChild(child)) {
        entries.push_back({child, static_cast<int>(i)});
      }
    }
    if (entries.empty()) continue;
    SortForPass(pass, entries);

    for (const Entry& entry : entries) {
      Control& c = *entry.control;
      const Bounds& m = c.margins_;
      double w = c.width_;
      double h = c.height_;
      float preferred = 0;
      if (c.PreferredWidth(preferred)) w = preferred;
      double x = c.position_.X, y = c.position_.Y;
      switch (pass) {
        case Align::Top:
        case Align::MostTop:
          x = free.left + m.Left;
          y = free.top + m.Top;
          w = free.Width() - m.Left - m.Right;
          free.top += h + m.Top + m.Bottom;
          break;
        case Align::Bottom:
        case Align::MostBottom:
          x = free.left + m.Left;
          y = free.bottom - m.Bottom - h;
          w = free.Width() - m.Left - m.Right;
          free.bottom -= h + m.Top + m.Bottom;
          break;
        case Align::Left:
        case Align::MostLeft:
          x = free.left + m.Left;
          y = free.top + m.Top;
          h = free.Height() - m.Top - m.Bottom;
          free.left += w + m.Left + m.Right;
          break;
        case Align::Right:
        case Align::MostRight:
          x = free.right - m.Right - w;
          y = free.top + m.Top;
          h = free.Height() - m.Top - m.Bottom;
          free.right -= w + m.Left + m.Right;
          break;
        case Align::Client:
          x = free.left + m.Left;
          y = free.top + m.Top;
          w = free.Width() - m.Left - m.Right;
          h = free.Height() - m.Top - m.Bottom;
          break;
        case Align::Contents:
          x = content.left + m.Left;
          y = content.top + m.Top;
          w = content.Width() - m.Left - m.Right;
          h = content.Height() - m.Top - m.Bottom;
          break;
        case Align::Center:
          x = free.left + std::trunc((free.Width() - w) / 2);
          y = free.top + std::trunc((free.Height() - h) / 2);
          break;
        case Align::None:
          break;
      }
      Control::PlaceChild(c, static_cast<float>(x), static_cast<float>(y), NonNegative(w),
                          NonNegative(h));
    }
  }
}

}  // namespace dw
