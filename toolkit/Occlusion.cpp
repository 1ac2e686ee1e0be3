// Controls that a sibling above covers with opaque paint are not drawn: a stack of opaque
// pictures (a slideshow's slides) costs one picture per frame, not one per slide, and the
// pictures under the top one are not resampled at all. A control is left out only when what
// it would draw is known to be replaced pixel for pixel, so every frame stays the same.
#include "toolkit/Form.h"
#include "toolkit/render/Canvas.h"

namespace dw {

namespace {

bool Contains(const PixelRect& outer, const PixelRect& inner) {
  return outer.Left <= inner.Left && outer.Top <= inner.Top && outer.Right >= inner.Right &&
         outer.Bottom >= inner.Bottom;
}

}  // namespace

bool TForm::HiddenByLaterSibling(const Canvas& canvas, const Control& parent, std::size_t index,
                                 const RectF& box, PointF parentOrigin) const {
  const std::vector<Control*>& siblings = parent.Children();
  const Control& child = *siblings[index];
  // Its children may draw anywhere; a control with children is always drawn.
  if (!child.Children().empty()) return false;
  PixelRect painted;
  if (!child.PaintedPixels(canvas, box, painted)) return false;
  painted = painted.Intersect(canvas.ClipPixels());
  if (painted.IsEmpty()) return true;
  for (std::size_t i = index + 1; i < siblings.size(); ++i) {
    const Control& above = *siblings[i];
    if (!above.Visible() || !parent.ShowsChild(&above)) continue;
    const float opacity =
        above.Opacity() * (above.Enabled() ? 1.0f : CurrentStyle().disabledOpacity);
    // Drawn at full opacity, the sibling's opaque pixels replace what is under them.
    if (!(opacity >= 1.0f)) continue;
    const PointF offset = parent.ChildOffset(&above);
    const RectF aboveBox =
        above.BoundsRect().Offset(parentOrigin.X + offset.X, parentOrigin.Y + offset.Y);
    if (aboveBox.IsEmpty()) continue;
    PixelRect opaque;
    if (above.OpaquePixels(canvas, aboveBox, opaque) && Contains(opaque, painted)) return true;
  }
  return false;
}

}  // namespace dw
