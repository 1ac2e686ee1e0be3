// The form's keyboard: focus, Tab order, the default button, Escape and the scroll keys.

#include <algorithm>
#include <vector>

#include "toolkit/Form.h"

namespace dw {

namespace {

bool IsScrollKey(Key key) {
  switch (key) {
    case Key::Up:
    case Key::Down:
    case Key::PageUp:
    case Key::PageDown:
    case Key::Home:
    case Key::End:
      return true;
    default:
      return false;
  }
}

bool Encloses(const Control* ancestor, const Control* control) {
  for (const Control* c = control; c != nullptr; c = c->Parent()) {
    if (c == ancestor) return true;
  }
  return false;
}

// Every control that is showing, in tree order. Subtrees that are hidden, not shown by their
// parent, without area or clipped away are not entered, so the out-of-view component tree
// costs nothing however many items it holds.
std::vector<Control*> ShowingControls(TForm& form) {
  struct Entry {
    Control* control;
    RectF clip;
  };
  std::vector<Control*> showing;
  std::vector<Entry> work;
  const RectF client{0, 0, form.Width(), form.Height()};
  for (std::size_t i = form.Children().size(); i-- > 0;)
    work.push_back({form.Child(static_cast<int>(i)), client});
  while (!work.empty()) {
    Entry entry = work.back();
    work.pop_back();
    Control* control = entry.control;
    if (!control->Visible()) continue;
    const RectF box = control->AbsoluteRect();
    if (box.IsEmpty() || box.Intersect(entry.clip).IsEmpty()) continue;
    showing.push_back(control);
    const RectF clip = control->ClipChildren() ? entry.clip.Intersect(box) : entry.clip;
    const auto& children = control->Children();
    for (std::size_t i = children.size(); i-- > 0;) {
      if (control->ShowsChild(children[i])) work.push_back({children[i], clip});
    }
  }
  return showing;
}

}  // namespace

bool TForm::CanHaveFocus(const Control* control) const {
  return control != nullptr && control->Form() == this && control->CanFocus() &&
         control->IsEffectivelyEnabled() && control->IsShowing();
}

void TForm::FocusMayHaveLeft() {
  if (focused_ != nullptr && !CanHaveFocus(focused_)) SetFocused(nullptr);
}

void TForm::FocusNext(bool forward) {
  std::vector<Control*> order;
  for (Control* control : ShowingControls(*this)) {
    if (CanHaveFocus(control)) order.push_back(control);
  }
  if (order.empty()) {
    SetFocused(nullptr);
    return;
  }
  // Reading order: rows from the top, each from the left; the tree order breaks ties.
  std::stable_sort(order.begin(), order.end(), [](const Control* a, const Control* b) {
    const RectF ra = a->AbsoluteRect();
    const RectF rb = b->AbsoluteRect();
    if (ra.Top != rb.Top) return ra.Top < rb.Top;
    return ra.Left < rb.Left;
  });
  auto current = std::find(order.begin(), order.end(), focused_);
  Control* next = nullptr;
  if (current == order.end()) {
    next = forward ? order.front() : order.back();
  } else if (forward) {
    next = ++current == order.end() ? order.front() : *current;
  } else {
    next = current == order.begin() ? order.back() : *--current;
  }
  SetFocused(next);
}

void TForm::KeyDown(Key key, KeyModifiers modifiers) {
  FocusMayHaveLeft();
  if (key == Key::Tab) {
    if (!modifiers.control && !modifiers.alt) FocusNext(!modifiers.shift);
    return;
  }
  const bool plain = !modifiers.control && !modifiers.alt;
  if ((key == Key::Escape && plain) || (key == Key::F4 && modifiers.alt)) {
    // A copy: the handler may replace itself while it runs.
    if (NotifyEvent handler = OnCancelKey) handler(this);
    return;
  }
  // The handlers below may nest anything (a page slide, the host's script): nothing of the
  // form is read after them.
  if (focused_ != nullptr && focused_->DoKeyDown(key, modifiers)) return;
  if (key == Key::Enter && plain) {
    if (DefaultButton != nullptr && DefaultButton->IsEffectivelyEnabled() &&
        DefaultButton->IsShowing()) {
      DefaultButton->DoClick();
    }
    return;
  }
  if (!IsScrollKey(key) || !plain) return;
  // The scroll keys go to what scrolls around the focus, else to the first content on show
  // that scrolls.
  std::vector<Control*> showing = ShowingControls(*this);
  for (Control* control : showing) {
    if (focused_ != nullptr && !Encloses(control, focused_)) continue;
    if (control->DoKeyDown(key, modifiers)) return;
  }
  if (focused_ == nullptr) return;
  for (Control* control : showing) {
    if (control->DoKeyDown(key, modifiers)) return;
  }
}

}  // namespace dw
