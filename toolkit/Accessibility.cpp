#include "toolkit/Accessibility.h"

#include <algorithm>

#include "toolkit/Button.h"
#include "toolkit/CheckBox.h"
#include "toolkit/Edit.h"
#include "toolkit/Form.h"
#include "toolkit/Label.h"
#include "toolkit/Switch.h"
#include "toolkit/TabControl.h"

namespace dw {

namespace {

const std::u16string* TextOf(const Control* control) {
  if (auto* label = dynamic_cast<const TLabel*>(control)) return &label->Text();
  if (auto* button = dynamic_cast<const TButton*>(control)) return &button->Text();
  if (auto* edit = dynamic_cast<const TEdit*>(control)) return &edit->Text();
  if (auto* check = dynamic_cast<const TCheckBox*>(control)) return &check->Text();
  return nullptr;
}

// The toolkit's own description of a control kind; false for what only groups or draws.
bool DescribeOwn(const Control& control, AccessibleElement& element) {
  if (auto* label = dynamic_cast<const TLabel*>(&control)) {
    element.role = AccessibleRole::StaticText;
    element.name = label->Text();
    return true;
  }
  if (auto* button = dynamic_cast<const TButton*>(&control)) {
    element.role = AccessibleRole::PushButton;
    element.name = button->Text();
    return true;
  }
  if (auto* edit = dynamic_cast<const TEdit*>(&control)) {
    element.role = AccessibleRole::EditableText;
    element.value = edit->Text();
    if (edit->ReadOnly()) element.state |= kAccessibleReadOnly;
    return true;
  }
  if (auto* check = dynamic_cast<const TCheckBox*>(&control)) {
    element.role = AccessibleRole::CheckButton;
    element.name = check->Text();
    if (check->IsChecked()) element.state |= kAccessibleChecked;
    return true;
  }
  if (auto* radio = dynamic_cast<const TRadioButton*>(&control)) {
    element.role = AccessibleRole::RadioButton;
    if (radio->IsChecked()) element.state |= kAccessibleChecked;
    return true;
  }
  if (auto* toggle = dynamic_cast<const TSwitch*>(&control)) {
    element.role = AccessibleRole::CheckButton;
    if (toggle->IsChecked()) element.state |= kAccessibleChecked;
    return true;
  }
  return false;
}

// Inside `ancestor` and on the current page of every tab control on the way: while a page
// slides in, the one sliding out is still read, but it is not what has arrived.
bool IsOnCurrentPageOf(const Control* control, const Control* ancestor) {
  for (const Control* c = control; c != nullptr; c = c->Parent()) {
    if (c == ancestor) return true;
    const auto* tabs = dynamic_cast<const TTabControl*>(c->Parent());
    if (tabs != nullptr && dynamic_cast<const TTabItem*>(c) != nullptr &&
        c != tabs->Tab(tabs->TabIndex())) {
      return false;
    }
  }
  return false;
}

}  // namespace

std::vector<FormAccessibility::Entry> FormAccessibility::Describe() {
  std::vector<Entry> entries;
  Entry window;
  AccessibleHint formHint;
  form_.DescribeAccessible(form_, formHint);
  window.control = &form_;
  window.element.role = formHint.role.value_or(AccessibleRole::Dialog);
  window.element.name = formHint.name;
  window.nameFrom = formHint.nameFrom;
  if (const std::u16string* text = TextOf(formHint.nameFrom)) window.element.name = *text;
  window.element.width = static_cast<float>(form_.ClientWidth());
  window.element.height = static_cast<float>(form_.ClientHeight());
  entries.push_back(window);

  // Depth first, siblings top to bottom and then left to right, as a reader's eye goes
  // (the child order is the drawing order, which is not always the reading order).
  struct Work {
    const Control* control;
    PointF origin;
    RectF clip;
  };
  const RectF client{0, 0, window.element.width, window.element.height};
  std::vector<Work> stack;
  auto pushChildren = [&stack](const Control& parent, const RectF& box, const RectF& clip) {
    std::vector<const Control*> shown;
    for (const Control* child : parent.Children()) {
      if (parent.ShowsChild(child)) shown.push_back(child);
    }
    std::stable_sort(shown.begin(), shown.end(), [](const Control* a, const Control* b) {
      if (a->Position().Y != b->Position().Y) return a->Position().Y < b->Position().Y;
      return a->Position().X < b->Position().X;
    });
    const RectF childClip = parent.ClipChildren() ? clip.Intersect(box) : clip;
    for (std::size_t i = shown.size(); i-- > 0;) {
      const PointF offset = parent.ChildOffset(shown[i]);
      stack.push_back({shown[i], {box.Left + offset.X, box.Top + offset.Y}, childClip});
    }
  };
  pushChildren(form_, client, client);
  while (!stack.empty()) {
    const Work work = stack.back();
    stack.pop_back();
    const Control& control = *work.control;
    // What the form does not draw is not read either.
    if (!control.Visible() || control.Opacity() <= 0) continue;
    const RectF box = control.BoundsRect().Offset(work.origin.X, work.origin.Y);
    if (box.IsEmpty()) continue;
    AccessibleHint hint;
    form_.DescribeAccessible(control, hint);
    if (hint.hidden) continue;

    Entry entry;
    entry.control = &control;
    bool isElement = DescribeOwn(control, entry.element);
    if (hint.role) {
      isElement = true;
      entry.element.role = *hint.role;
    }
    if (!hint.name.empty()) entry.element.name = hint.name;
    entry.nameFrom = hint.nameFrom;
    entry.valueFrom = hint.valueFrom;
    if (const std::u16string* text = TextOf(hint.nameFrom)) entry.element.name = *text;
    if (const std::u16string* text = TextOf(hint.valueFrom)) entry.element.value = *text;
    // An empty label draws nothing.
    if (entry.element.role == AccessibleRole::StaticText && entry.element.name.empty() &&
        entry.element.value.empty()) {
      isElement = false;
    }
    // A button or a gauge is read as one thing, whatever draws it.
    const bool readAsOne = isElement && (hint.valueFrom != nullptr ||
                                         entry.element.role == AccessibleRole::PushButton);
    const RectF seen = box.Intersect(work.clip);
    if (isElement && !seen.IsEmpty()) {
      AccessibleElement& element = entry.element;
      element.id = IdOf(&control);
      element.left = seen.Left;
      element.top = seen.Top;
      element.width = seen.Width();
      element.height = seen.Height();
      const bool enabled = control.IsEffectivelyEnabled();
      if (!enabled) element.state |= kAccessibleUnavailable;
      if (form_.CanHaveFocus(&control)) element.state |= kAccessibleFocusable;
      if (form_.Focused() == &control) element.state |= kAccessibleFocused;
      if (form_.DefaultButton == &control) element.state |= kAccessibleDefault;
      element.pressable = element.role == AccessibleRole::PushButton;
      entries.push_back(std::move(entry));
    }
    if (!readAsOne) pushChildren(control, box, work.clip);
  }
  return entries;
}

AccessibleElement FormAccessibility::Window() {
  return Describe().front().element;
}

std::vector<AccessibleElement> FormAccessibility::Elements() {
  std::vector<Entry> entries = Describe();
  std::vector<AccessibleElement> elements;
  elements.reserve(entries.size() - 1);
  for (std::size_t i = 1; i < entries.size(); ++i)
    elements.push_back(std::move(entries[i].element));
  return elements;
}

long FormAccessibility::FocusedElement() {
  const Control* focused = form_.Focused();
  if (focused == nullptr) return kAccessibleSelf;
  for (const Entry& entry : Describe()) {
    if (entry.control == focused) return entry.element.id;
  }
  return kAccessibleSelf;
}

bool FormAccessibility::DoDefaultAction(long id) {
  auto found = controls_.find(id);
  if (found == controls_.end()) return false;
  const Control* target = found->second;
  bool pressable = false;
  for (const Entry& entry : Describe()) {
    if (entry.control == target) {
      pressable = entry.element.pressable && (entry.element.state & kAccessibleUnavailable) == 0;
    }
  }
  if (!pressable) return false;
  // The click handler may nest anything (slides, the host's script): nothing is read after.
  const_cast<Control*>(target)->DoClick();
  return true;
}

void FormAccessibility::Changed(const Control* control, AccessibleChange change) {
  if (change == AccessibleChange::Focus) {
    Raise(AccessibleEvent::Focus, FocusedElement());
    return;
  }
  const std::vector<Entry> entries = Describe();
  if (change == AccessibleChange::PageShown) {
    // The page's first text is its title: showing it makes a screen reader read it; the
    // focus event after it tells where the keyboard is on the new page.
    for (std::size_t i = 1; i < entries.size(); ++i) {
      if (IsOnCurrentPageOf(entries[i].control, control)) {
        Raise(AccessibleEvent::Show, entries[i].element.id);
        break;
      }
    }
    Raise(AccessibleEvent::Focus, FocusedElement());
    return;
  }
  for (const Entry& entry : entries) {
    const AccessibleElement& element = entry.element;
    if (change == AccessibleChange::Enabled) {
      if (entry.control == control) Raise(AccessibleEvent::StateChange, element.id);
      continue;
    }
    if (entry.control == control && entry.nameFrom == nullptr && entry.valueFrom == nullptr) {
      Raise(element.role == AccessibleRole::EditableText ? AccessibleEvent::ValueChange
                                                         : AccessibleEvent::NameChange,
            element.id);
    }
    if (entry.valueFrom == control) Raise(AccessibleEvent::ValueChange, element.id);
    if (entry.nameFrom == control) Raise(AccessibleEvent::NameChange, element.id);
  }
}

void FormAccessibility::Forget(const Control* control) {
  auto found = ids_.find(control);
  if (found == ids_.end()) return;
  controls_.erase(found->second);
  ids_.erase(found);
}

long FormAccessibility::IdOf(const Control* control) {
  auto [it, added] = ids_.emplace(control, next_id_);
  if (added) controls_.emplace(next_id_++, control);
  return it->second;
}

void FormAccessibility::Raise(AccessibleEvent event, long id) {
  if (NativeWindow* window = form_.Window()) window->RaiseAccessibleEvent(event, id);
}

// ---- the form's and the controls' side ----

void TForm::DescribeAccessible(const Control& /*control*/, AccessibleHint& /*hint*/) const {}

void TForm::AccessibleChanged(const Control* control, AccessibleChange change) {
  if (accessibility_ == nullptr) return;  // no client has asked: nothing to tell
  accessibility_->Changed(control, change);
}

AccessibleSource* TForm::NativeAccessibleSource() {
  if (accessibility_ == nullptr) accessibility_ = std::make_unique<FormAccessibility>(*this);
  return accessibility_.get();
}

void Control::NotifyAccessible(AccessibleChange change) const {
  if (TForm* form = Form()) form->AccessibleChanged(this, change);
}

}  // namespace dw
