// The base of everything visible: a node of the visual tree with the align layout,
// mouse events, opacity and the general-purpose Tag properties.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "platform/WindowSystem.h"
#include "toolkit/AccessibleHint.h"
#include "toolkit/Component.h"
#include "toolkit/Geometry.h"

namespace dw {

class Canvas;
struct PixelRect;

enum class Align {
  None,
  Top,
  Left,
  Right,
  Bottom,
  MostTop,
  MostBottom,
  MostLeft,
  MostRight,
  Client,
  Contents,
  Center,
};

using MouseEvent = std::function<void(Component* sender, MouseButton button, float x, float y)>;
using MouseMoveEvent = std::function<void(Component* sender, float x, float y)>;

class Control : public Component {
 public:
  explicit Control(Component* owner);
  ~Control() override;

  // --- visual tree ---
  Control* Parent() const { return parent_; }
  // Detaches from the old parent and appends as the new parent's last child.
  void SetParent(Control* parent);
  int ChildCount() const { return static_cast<int>(children_.size()); }
  Control* Child(int index) const { return children_[index]; }
  const std::vector<Control*>& Children() const { return children_; }
  int IndexInParent() const;
  // Makes this the last child of its parent: drawn above its siblings.
  void BringToFront();

  // --- layout inputs and results (device-independent pixels) ---
  Align GetAlign() const { return align_; }
  void SetAlign(Align align);
  const Bounds& Margins() const { return margins_; }
  void SetMargins(const Bounds& margins);
  void SetMarginLeft(float value);
  // Position is relative to the parent's content box; alignment overwrites it.
  PointF Position() const { return position_; }
  void SetPosition(PointF position);
  void SetX(float x) { SetPosition({x, position_.Y}); }
  void SetY(float y) { SetPosition({position_.X, y}); }
  float Width() const { return width_; }
  float Height() const { return height_; }
  void SetSize(float width, float height);
  void SetWidth(float width) { SetSize(width, height_); }
  void SetHeight(float height) { SetSize(width_, height); }
  // The box in the parent's content coordinates.
  RectF BoundsRect() const { return RectF::FromXYWH(position_.X, position_.Y, width_, height_); }
  // The box in form client coordinates (scroll offsets and tab slides included).
  RectF AbsoluteRect() const;
  // Where this control's children are placed, in its own coordinates.
  virtual RectF ContentRect() const { return {0, 0, width_, height_}; }
  // Offset of a child's coordinates inside this control (scrolling, page slides).
  virtual PointF ChildOffset(const Control* /*child*/) const { return {0, 0}; }
  // Whether a child is drawn and hit at all (a tab control shows only its current page).
  virtual bool ShowsChild(const Control* /*child*/) const { return true; }
  // A width the control wants for itself when aligned Left or Right (AutoSize labels).
  virtual bool PreferredWidth(float& /*width*/) const { return false; }
  // Lays the children out by their Align (see Layout.cpp) and then their children.
  virtual void Realign();
  // While true (form loading), changes do not re-lay out; the form lays out once at the end.
  static bool LayoutSuspended(const Control* control);

  // --- looks and state ---
  float Opacity() const { return opacity_; }
  void SetOpacity(float opacity);
  bool Visible() const { return visible_; }
  void SetVisible(bool visible);
  bool Enabled() const { return enabled_; }
  virtual void SetEnabled(bool enabled);
  // Enabled and every ancestor enabled.
  bool IsEffectivelyEnabled() const;
  bool HitTest() const { return hit_test_; }
  void SetHitTest(bool value) { hit_test_ = value; }
  bool ClipChildren() const { return clip_children_; }
  void SetClipChildren(bool value) { clip_children_ = value; }
  bool IsMouseOver() const { return mouse_over_; }
  bool IsPressed() const { return pressed_; }
  bool IsFocused() const;
  virtual bool CanFocus() const { return false; }
  // Visible, of some size, shown by every parent up to the form (a tab control shows only
  // its current page), and not clipped away entirely by a parent that clips or by the form.
  bool IsShowing() const;

  // --- general-purpose properties ---
  std::int32_t Tag = 0;
  std::u16string TagString;
  float TagFloat = 0;
  Component* TagObject = nullptr;

  // --- events (reassignable) ---
  NotifyEvent OnClick;
  MouseEvent OnMouseDown;
  MouseEvent OnMouseUp;
  MouseMoveEvent OnMouseMove;
  NotifyEvent OnMouseEnter;
  NotifyEvent OnMouseLeave;

  // --- animation access to named float properties ("Position.X", "Opacity", ...) ---
  virtual bool GetFloatProperty(std::string_view name, float& value) const;
  virtual bool SetFloatProperty(std::string_view name, float value);

  // --- drawing ---
  // Marks the control's box as needing a redraw.
  void Repaint();
  // Draws the control's own look into its absolute box (children are drawn by the form).
  virtual void Paint(Canvas& canvas, const RectF& box);
  // Draws over the children (scroll bars, focus rings).
  virtual void PaintOver(Canvas& canvas, const RectF& box);
  // So that the form can leave out a control that a sibling above hides: the physical
  // pixels that Paint may touch in this box, for a control that draws only there and only
  // in Paint (false: not known)...
  virtual bool PaintedPixels(const Canvas& /*canvas*/, const RectF& /*box*/,
                             PixelRect& /*pixels*/) const {
    return false;
  }
  // ...and the pixels it replaces with opaque ones at the canvas's current opacity (false:
  // none known).
  virtual bool OpaquePixels(const Canvas& /*canvas*/, const RectF& /*box*/,
                            PixelRect& /*pixels*/) const {
    return false;
  }

  // --- input, called by the form's mouse dispatch; coordinates local to the control ---
  virtual void DoMouseDown(MouseButton button, float x, float y);
  virtual void DoMouseUp(MouseButton button, float x, float y);
  virtual void DoMouseMove(float x, float y);
  virtual void DoMouseEnter();
  virtual void DoMouseLeave();
  virtual void DoClick();
  // Returns true when the wheel was used.
  virtual bool DoMouseWheel(int /*delta*/) { return false; }
  // A key for this control (the focused one, or a scrolling one for the scroll keys);
  // returns true when the control used it.
  virtual bool DoKeyDown(Key /*key*/, KeyModifiers /*modifiers*/) { return false; }
  // The control that takes a hit at a local point, or null. Default: children from the top,
  // then itself when HitTest is on.
  virtual Control* HitTestAt(float x, float y);

 protected:
  // Re-lays out the parent (this control's box inputs changed).
  void ParentRealign();
  // Lets subclasses react to their own size having been changed.
  virtual void Resized() {}
  // For containers that place their children themselves (edit boxes, tab controls).
  static void PlaceChild(Control& child, float x, float y, float width, float height);
  // Invalidates the old and the new box when the control moved or resized on screen.
  void RepaintMoved(const RectF& oldAbsolute);
  // Tells the form's screen reader view what changed (toolkit/Accessibility.cpp).
  void NotifyAccessible(AccessibleChange change) const;

 private:
  friend class TForm;
  friend void LayoutChildren(Control& container);
  Control* parent_ = nullptr;
  std::vector<Control*> children_;
  Align align_ = Align::None;
  Bounds margins_;
  PointF position_;
  float width_ = 0;
  float height_ = 0;
  float opacity_ = 1;
  bool visible_ = true;
  bool enabled_ = true;
  bool hit_test_ = true;
  bool clip_children_ = false;
  bool mouse_over_ = false;
  bool pressed_ = false;
  bool realigning_ = false;

 protected:
  // Subclasses that do not take mouse hits by default (labels, layouts) clear this.
  void SetHitTestDefault(bool value) { hit_test_ = value; }
};

// Lays out the children of one container by the align rules (one level, no recursion).
void LayoutChildren(Control& container);

}  // namespace dw
