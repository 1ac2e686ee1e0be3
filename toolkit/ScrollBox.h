// A vertically scrolling box: its content is as wide as the box (11 px narrower while the
// scroll bar shows) and as high as the children need.
#pragma once

#include "toolkit/Control.h"

namespace dw {

class TVertScrollBox : public Control {
 public:
  explicit TVertScrollBox(Component* owner);

  float ContentHeight() const { return content_height_; }
  bool ScrollBarVisible() const { return bar_visible_; }
  float ScrollOffset() const { return scroll_; }
  void ScrollTo(float offset);  // held to 0 .. ContentHeight - Height

  RectF ContentRect() const override;
  PointF ChildOffset(const Control*) const override { return {0, -scroll_}; }
  void Realign() override;
  void PaintOver(Canvas& canvas, const RectF& box) override;
  Control* HitTestAt(float x, float y) override;
  bool DoMouseWheel(int delta) override;
  // The arrow keys scroll by a line, the page keys by the box's height, Home and End to
  // the ends; only while there is something to scroll.
  bool DoKeyDown(Key key, KeyModifiers modifiers) override;
  void DoMouseDown(MouseButton button, float x, float y) override;
  void DoMouseUp(MouseButton button, float x, float y) override;
  void DoMouseMove(float x, float y) override;
  void DoMouseLeave() override;

  // Scroll bar geometry in local coordinates (empty when hidden).
  RectF UpArrowRect() const;
  RectF DownArrowRect() const;
  RectF TrackRect() const;
  RectF ThumbRect() const;

 private:
  enum class Part { None, Up, Down, Track, Thumb };
  Part PartAt(float x, float y) const;
  float content_height_ = 0;
  float scroll_ = 0;
  bool bar_visible_ = false;
  Part hot_ = Part::None;
  Part pressed_part_ = Part::None;
  float drag_start_y_ = 0;
  float drag_start_scroll_ = 0;
};

}  // namespace dw
