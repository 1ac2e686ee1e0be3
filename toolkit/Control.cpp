#include "toolkit/Control.h"

#include <algorithm>
#include <cmath>

#include "toolkit/Form.h"

namespace dw {

Control::Control(Component* owner) : Component(owner) {}

Control::~Control() {
  // Only the form is told; parents and children go away together with the whole tree.
  if (Form() != nullptr && Form() != this) Form()->ControlDestroyed(this);
}

void Control::SetParent(Control* parent) {
  if (parent == parent_) return;
  Control* old = parent_;
  if (old != nullptr) {
    auto& siblings = old->children_;
    siblings.erase(std::remove(siblings.begin(), siblings.end(), this), siblings.end());
  }
  parent_ = parent;
  if (parent != nullptr) parent->children_.push_back(this);
  if (old != nullptr) {
    old->Realign();
    old->Repaint();
  }
  if (parent != nullptr) {
    parent->Realign();
    Repaint();
  }
}

int Control::IndexInParent() const {
  if (parent_ == nullptr) return -1;
  const auto& siblings = parent_->children_;
  auto it = std::find(siblings.begin(), siblings.end(), this);
  return it == siblings.end() ? -1 : static_cast<int>(it - siblings.begin());
}

void Control::BringToFront() {
  if (parent_ == nullptr) return;
  auto& siblings = parent_->children_;
  auto it = std::find(siblings.begin(), siblings.end(), this);
  if (it == siblings.end() || it + 1 == siblings.end()) return;
  siblings.erase(it);
  siblings.push_back(this);
  Repaint();
}

void Control::PlaceChild(Control& child, float x, float y, float width, float height) {
  RectF old = child.AbsoluteRect();
  child.position_ = {x, y};
  child.width_ = width < 0 ? 0 : width;
  child.height_ = height < 0 ? 0 : height;
  child.RepaintMoved(old);
}

bool Control::LayoutSuspended(const Control* control) {
  return control->IsLoading();
}

void Control::ParentRealign() {
  if (parent_ != nullptr) parent_->Realign();
}

void Control::SetAlign(Align align) {
  if (align_ == align) return;
  align_ = align;
  ParentRealign();
}

void Control::SetMargins(const Bounds& margins) {
  margins_ = margins;
  // The layout repaints whatever it moves.
  if (align_ != Align::None) ParentRealign();
}

void Control::SetMarginLeft(float value) {
  Bounds margins = margins_;
  margins.Left = value;
  SetMargins(margins);
}

void Control::SetPosition(PointF position) {
  if (position.X == position_.X && position.Y == position_.Y) return;
  RectF old = AbsoluteRect();
  position_ = position;
  RepaintMoved(old);
  // Only aligned children take part in their parent's layout.
  if (align_ != Align::None) ParentRealign();
}

void Control::SetSize(float width, float height) {
  if (width == width_ && height == height_) return;
  RectF old = AbsoluteRect();
  width_ = width;
  height_ = height;
  Resized();
  RepaintMoved(old);
  if (parent_ != nullptr && align_ != Align::None) {
    parent_->Realign();
  } else {
    Realign();
  }
}

void Control::Realign() {
  if (LayoutSuspended(this) || realigning_) return;
  realigning_ = true;
  LayoutChildren(*this);
  // Children are re-read each step: a layout never adds or removes children, but keep
  // the loop index-based all the same.
  for (std::size_t i = 0; i < children_.size(); ++i) children_[i]->Realign();
  realigning_ = false;
}

void Control::RepaintMoved(const RectF& oldAbsolute) {
  TForm* form = Form();
  if (form == nullptr || form->Loading()) return;
  // A move by less than a device pixel shows nothing new: a slow pan presents a frame only
  // when the picture moves by a whole pixel.
  float scale = form->Window() != nullptr ? form->Window()->Scale() : 1.0f;
  RectF now = AbsoluteRect();
  auto px = [scale](float v) { return std::lround(static_cast<double>(v) * scale); };
  if (px(now.Left) == px(oldAbsolute.Left) && px(now.Top) == px(oldAbsolute.Top) &&
      px(now.Right) == px(oldAbsolute.Right) && px(now.Bottom) == px(oldAbsolute.Bottom)) {
    return;
  }
  form->Invalidate(oldAbsolute);
  form->Invalidate(now);
}

RectF Control::AbsoluteRect() const {
  float x = position_.X;
  float y = position_.Y;
  const Control* child = this;
  for (const Control* p = parent_; p != nullptr; child = p, p = p->parent_) {
    PointF offset = p->ChildOffset(child);
    x += offset.X + (p->parent_ != nullptr ? p->position_.X : 0);
    y += offset.Y + (p->parent_ != nullptr ? p->position_.Y : 0);
  }
  return RectF::FromXYWH(x, y, width_, height_);
}

void Control::SetOpacity(float opacity) {
  if (opacity == opacity_) return;
  opacity_ = opacity;
  Repaint();
}

void Control::SetVisible(bool visible) {
  if (visible == visible_) return;
  Repaint();
  visible_ = visible;
  Repaint();
  ParentRealign();
  if (!visible && Form() != nullptr) Form()->FocusMayHaveLeft();
}

void Control::SetEnabled(bool enabled) {
  if (enabled == enabled_) return;
  enabled_ = enabled;
  Repaint();
  NotifyAccessible(AccessibleChange::Enabled);
  if (!enabled && Form() != nullptr) Form()->FocusMayHaveLeft();
}

bool Control::IsEffectivelyEnabled() const {
  for (const Control* c = this; c != nullptr; c = c->parent_) {
    if (!c->enabled_) return false;
  }
  return true;
}

bool Control::IsShowing() const {
  RectF box = AbsoluteRect();
  if (box.IsEmpty()) return false;
  const Control* child = this;
  for (const Control* parent = parent_; parent != nullptr; parent = parent->parent_) {
    if (!child->visible_ || !parent->ShowsChild(child)) return false;
    if (parent->parent_ == nullptr) {
      box = box.Intersect({0, 0, parent->width_, parent->height_});
    } else if (parent->clip_children_) {
      box = box.Intersect(parent->AbsoluteRect());
    }
    if (box.IsEmpty()) return false;
    child = parent;
  }
  return child->visible_ && child == static_cast<const Control*>(Form());
}

bool Control::IsFocused() const {
  return Form() != nullptr && Form()->Focused() == this;
}

bool Control::GetFloatProperty(std::string_view name, float& value) const {
  if (name == "Position.X") {
    value = position_.X;
  } else if (name == "Position.Y") {
    value = position_.Y;
  } else if (name == "Opacity") {
    value = opacity_;
  } else if (name == "Margins.Left") {
    value = margins_.Left;
  } else if (name == "Width") {
    value = width_;
  } else if (name == "Height") {
    value = height_;
  } else {
    return false;
  }
  return true;
}

bool Control::SetFloatProperty(std::string_view name, float value) {
  if (name == "Position.X") {
    SetX(value);
  } else if (name == "Position.Y") {
    SetY(value);
  } else if (name == "Opacity") {
    SetOpacity(value);
  } else if (name == "Margins.Left") {
    SetMarginLeft(value);
  } else if (name == "Width") {
    SetWidth(value);
  } else if (name == "Height") {
    SetHeight(value);
  } else {
    return false;
  }
  return true;
}

void Control::Repaint() {
  TForm* form = Form();
  if (form == nullptr || form->Loading()) return;
  if (form == this) {
    form->InvalidateAll();
    return;
  }
  form->Invalidate(AbsoluteRect());
}

void Control::Paint(Canvas&, const RectF&) {}
void Control::PaintOver(Canvas&, const RectF&) {}

void Control::DoMouseDown(MouseButton button, float x, float y) {
  Repaint();
  // A copy: the handler may replace itself while it runs.
  if (MouseEvent handler = OnMouseDown) handler(this, button, x, y);
}

void Control::DoMouseUp(MouseButton button, float x, float y) {
  Repaint();
  if (MouseEvent handler = OnMouseUp) handler(this, button, x, y);
}

void Control::DoMouseMove(float x, float y) {
  if (OnMouseMove) OnMouseMove(this, x, y);
}

void Control::DoMouseEnter() {
  mouse_over_ = true;
  Repaint();
  if (OnMouseEnter) OnMouseEnter(this);
}

void Control::DoMouseLeave() {
  mouse_over_ = false;
  Repaint();
  if (OnMouseLeave) OnMouseLeave(this);
}

void Control::DoClick() {
  // A copy: "Finish" rewires OnClick from inside the click it handles.
  if (NotifyEvent handler = OnClick) handler(this);
}

Control* Control::HitTestAt(float x, float y) {
  if (!visible_ || !enabled_) return nullptr;
  // A control without area is not drawn, nor is anything inside it.
  if (!(width_ > 0 && height_ > 0)) return nullptr;
  bool inside = x >= 0 && y >= 0 && x < width_ && y < height_;
  if (clip_children_ && !inside) return nullptr;
  for (std::size_t i = children_.size(); i-- > 0;) {
    Control* child = children_[i];
    if (!ShowsChild(child)) continue;
    PointF offset = ChildOffset(child);
    Control* hit =
        child->HitTestAt(x - offset.X - child->position_.X, y - offset.Y - child->position_.Y);
    if (hit != nullptr) return hit;
  }
  return hit_test_ && inside ? this : nullptr;
}

}  // namespace dw
