#include "toolkit/ScrollBox.h"

#include <algorithm>

#include "toolkit/Style.h"
#include "toolkit/render/Canvas.h"

namespace dw {

namespace {
constexpr float kArrowStep = 24;
constexpr float kWheelStep = 48;  // per notch of 120
constexpr float kMinThumb = 16;
}  // namespace

TVertScrollBox::TVertScrollBox(Component* owner) : Control(owner) {
  SetClipChildren(true);
}

RectF TVertScrollBox::ContentRect() const {
  float barWidth = bar_visible_ ? StyleOf(this).scrollBarWidth : 0;
  return {0, 0, std::max(0.0f, Width() - barWidth), Height()};
}

void TVertScrollBox::Realign() {
  if (LayoutSuspended(this)) return;
  auto needed = [this] {
    float bottom = 0;
    for (Control* child : Children()) {
      if (!child->Visible()) continue;
      bottom = std::max(bottom, child->Position().Y + child->Height() + child->Margins().Bottom);
    }
    return bottom;
  };
  // Lay out as wide as the box; if the content is then taller than the box, the scroll bar
  // shows and the content is laid out again, narrower by the bar.
  bool hadBar = bar_visible_;
  float oldHeight = content_height_;
  bar_visible_ = false;
  LayoutChildren(*this);
  content_height_ = needed();
  if (content_height_ > Height() && Height() > 0) {
    bar_visible_ = true;
    LayoutChildren(*this);
    content_height_ = needed();
  }
  for (std::size_t i = 0; i < Children().size(); ++i) Children()[i]->Realign();
  ScrollTo(scroll_);
  if (hadBar != bar_visible_ || oldHeight != content_height_) Repaint();
}

void TVertScrollBox::ScrollTo(float offset) {
  float limit = std::max(0.0f, content_height_ - Height());
  float clamped = bar_visible_ ? std::clamp(offset, 0.0f, limit) : 0.0f;
  if (clamped == scroll_) return;
  scroll_ = clamped;
  Repaint();
}

RectF TVertScrollBox::UpArrowRect() const {
  if (!bar_visible_) return {};
  float w = StyleOf(this).scrollBarWidth;
  return RectF::FromXYWH(Width() - w, 0, w, w);
}

RectF TVertScrollBox::DownArrowRect() const {
  if (!bar_visible_) return {};
  float w = StyleOf(this).scrollBarWidth;
  return RectF::FromXYWH(Width() - w, Height() - w, w, w);
}

RectF TVertScrollBox::TrackRect() const {
  if (!bar_visible_) return {};
  float w = StyleOf(this).scrollBarWidth;
  return RectF{Width() - w, w, Width(), std::max(w, Height() - w)};
}

RectF TVertScrollBox::ThumbRect() const {
  if (!bar_visible_ || content_height_ <= 0) return {};
  RectF track = TrackRect();
  float trackHeight = track.Height();
  float thumbHeight = std::max(kMinThumb, trackHeight * Height() / content_height_);
  thumbHeight = std::min(thumbHeight, trackHeight);
  float range = std::max(0.0f, content_height_ - Height());
  float top = track.Top + (range > 0 ? (trackHeight - thumbHeight) * scroll_ / range : 0);
  return RectF{track.Left, top, track.Right, top + thumbHeight};
}

TVertScrollBox::Part TVertScrollBox::PartAt(float x, float y) const {
  if (!bar_visible_) return Part::None;
  if (ThumbRect().Contains(x, y)) return Part::Thumb;
  if (UpArrowRect().Contains(x, y)) return Part::Up;
  if (DownArrowRect().Contains(x, y)) return Part::Down;
  if (TrackRect().Contains(x, y)) return Part::Track;
  return Part::None;
}

void TVertScrollBox::PaintOver(Canvas& canvas, const RectF& box) {
  if (!bar_visible_) return;
  const Style& style = StyleOf(this);
  auto abs = [&box](const RectF& r) { return r.Offset(box.Left, box.Top); };
  canvas.FillRect(abs(TrackRect()), style.scrollTrack);
  auto arrowColour = [&](Part part) {
    if (pressed_part_ == part) return style.scrollArrowPressed;
    if (hot_ == part) return style.scrollArrowHover;
    return style.scrollArrow;
  };
  RectF up = abs(UpArrowRect());
  RectF down = abs(DownArrowRect());
  canvas.FillRect(up, arrowColour(Part::Up));
  canvas.FillRect(down, arrowColour(Part::Down));
  float cx = up.Left + up.Width() / 2;
  canvas.FillPolygon(
      {{cx, up.Top + 3}, {up.Right - 2, up.Bottom - 3}, {up.Left + 2, up.Bottom - 3}}, 0xFFE0E0E0);
  canvas.FillPolygon(
      {{down.Left + 2, down.Top + 3}, {down.Right - 2, down.Top + 3}, {cx, down.Bottom - 3}},
      0xFFE0E0E0);
  std::uint32_t thumb = pressed_part_ == Part::Thumb ? style.scrollThumbPressed
                        : hot_ == Part::Thumb        ? style.scrollThumbHover
                                                     : style.scrollThumb;
  canvas.FillRect(abs(ThumbRect()), thumb);
}

Control* TVertScrollBox::HitTestAt(float x, float y) {
  if (!Visible() || !Enabled() || !(Width() > 0 && Height() > 0)) return nullptr;
  if (bar_visible_ && x >= Width() - StyleOf(this).scrollBarWidth && x < Width() && y >= 0 &&
      y < Height()) {
    return this;
  }
  return Control::HitTestAt(x, y);
}

bool TVertScrollBox::DoMouseWheel(int delta) {
  if (!bar_visible_) return false;
  ScrollTo(scroll_ - kWheelStep * static_cast<float>(delta) / 120.0f);
  return true;
}

bool TVertScrollBox::DoKeyDown(Key key, KeyModifiers) {
  if (!bar_visible_) return false;
  switch (key) {
    case Key::Up:
      ScrollTo(scroll_ - kArrowStep);
      return true;
    case Key::Down:
      ScrollTo(scroll_ + kArrowStep);
      return true;
    case Key::PageUp:
      ScrollTo(scroll_ - Height());
      return true;
    case Key::PageDown:
      ScrollTo(scroll_ + Height());
      return true;
    case Key::Home:
      ScrollTo(0);
      return true;
    case Key::End:
      ScrollTo(content_height_);
      return true;
    default:
      return false;
  }
}

void TVertScrollBox::DoMouseDown(MouseButton button, float x, float y) {
  Part part = PartAt(x, y);
  if (button == MouseButton::Left && part != Part::None) {
    pressed_part_ = part;
    switch (part) {
      case Part::Up:
        ScrollTo(scroll_ - kArrowStep);
        break;
      case Part::Down:
        ScrollTo(scroll_ + kArrowStep);
        break;
      case Part::Track:
        ScrollTo(scroll_ + (y < ThumbRect().Top ? -Height() : Height()));
        break;
      case Part::Thumb:
        drag_start_y_ = y;
        drag_start_scroll_ = scroll_;
        break;
      case Part::None:
        break;
    }
    Repaint();
  }
  Control::DoMouseDown(button, x, y);
}

void TVertScrollBox::DoMouseUp(MouseButton button, float x, float y) {
  pressed_part_ = Part::None;
  Repaint();
  Control::DoMouseUp(button, x, y);
}

void TVertScrollBox::DoMouseMove(float x, float y) {
  if (pressed_part_ == Part::Thumb) {
    RectF track = TrackRect();
    float thumbHeight = ThumbRect().Height();
    float travel = track.Height() - thumbHeight;
    float range = std::max(0.0f, content_height_ - Height());
    if (travel > 0) ScrollTo(drag_start_scroll_ + (y - drag_start_y_) * range / travel);
  }
  Part hot = PartAt(x, y);
  if (hot != hot_) {
    hot_ = hot;
    Repaint();
  }
  Control::DoMouseMove(x, y);
}

void TVertScrollBox::DoMouseLeave() {
  hot_ = Part::None;
  Control::DoMouseLeave();
}

}  // namespace dw
