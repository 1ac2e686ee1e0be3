#include "toolkit/TabControl.h"

#include <cmath>

#include "platform/Platform.h"

namespace dw {

namespace {
constexpr std::uint64_t kSlideMs = 300;

MessageLoop* Loop() {
  WindowSystem* windows = CurrentPlatform().windows;
  return windows != nullptr ? &windows->Loop() : nullptr;
}
}  // namespace

TTabItem::TTabItem(Component* owner) : Control(owner) {
  SetClipChildren(true);
}

TTabControl::TTabControl(Component* owner) : Control(owner) {
  SetHitTestDefault(false);
  // A slide moves pages by up to a page width: they are drawn only inside the control's
  // own box, which is all that the slide repaints.
  SetClipChildren(true);
}

int TTabControl::TabCount() const {
  int count = 0;
  for (Control* child : Children()) {
    if (dynamic_cast<TTabItem*>(child) != nullptr) ++count;
  }
  return count;
}

TTabItem* TTabControl::Tab(int index) const {
  int i = 0;
  for (Control* child : Children()) {
    auto* page = dynamic_cast<TTabItem*>(child);
    if (page == nullptr) continue;
    if (i++ == index) return page;
  }
  return nullptr;
}

void TTabControl::SetTabIndex(int index) {
  if (index == tab_index_) return;
  if (transition_running_) EndTransition();
  tab_index_ = index;
  Repaint();
  if (Form() != nullptr) Form()->FocusMayHaveLeft();
  if (!IsLoading() && OnChange) OnChange(this);
}

void TTabControl::Next() {
  Slide(+1);
}
void TTabControl::Previous() {
  Slide(-1);
}

void TTabControl::Slide(int direction) {
  if (transition_running_) return;
  int from = tab_index_;
  int target = from + direction;
  TTabItem* targetPage = Tab(target);
  if (targetPage == nullptr || !targetPage->Visible()) return;

  // The index changes first, so OnChange runs before anything moves. It may nest anything,
  // including another change of this control: read the state again afterwards.
  SetTabIndex(target);
  if (tab_index_ != target || transition_running_) return;

  MessageLoop* loop = Loop();
  TForm* form = Form();
  if (loop == nullptr || form == nullptr) return;
  from_index_ = from;
  direction_ = direction;
  transition_start_ms_ = loop->NowMs();
  transition_shift_ = 0;
  transition_running_ = true;
  form->AddTickClient(this);
  Repaint();
  loop->PumpUntil([this] { return !transition_running_; });
  // Whatever stopped the loop (a quit request), the slide is over when Next returns.
  if (transition_running_) EndTransition();
}

void TTabControl::Tick(std::uint64_t nowMs) {
  if (!transition_running_) return;
  std::uint64_t elapsed = nowMs - transition_start_ms_;
  if (elapsed >= kSlideMs) {
    EndTransition();
    return;
  }
  float shift = std::floor(Width() * static_cast<float>(elapsed) / kSlideMs);
  if (shift != transition_shift_) {
    transition_shift_ = shift;
    Repaint();
  }
}

void TTabControl::EndTransition() {
  transition_running_ = false;
  from_index_ = -1;
  transition_shift_ = 0;
  if (Form() != nullptr) Form()->RemoveTickClient(this);
  Repaint();
  // The page that slid away may have held the focus.
  if (Form() != nullptr) Form()->FocusMayHaveLeft();
}

void TTabControl::Realign() {
  if (LayoutSuspended(this)) return;
  // Every page fills the control; the tab strip is never shown.
  for (Control* child : Children()) {
    if (dynamic_cast<TTabItem*>(child) != nullptr) PlaceChild(*child, 0, 0, Width(), Height());
  }
  for (std::size_t i = 0; i < Children().size(); ++i) Children()[i]->Realign();
}

bool TTabControl::ShowsChild(const Control* child) const {
  const TTabItem* current = Tab(tab_index_);
  if (child == current) return true;
  if (transition_running_ && child == Tab(from_index_)) return true;
  return dynamic_cast<const TTabItem*>(child) == nullptr;
}

PointF TTabControl::ChildOffset(const Control* child) const {
  if (!transition_running_) return {0, 0};
  // Next moves pages leftwards: the old page leaves to the left, the new one enters from
  // the right; Previous the other way round.
  if (child == Tab(tab_index_)) return {direction_ * (Width() - transition_shift_), 0};
  if (child == Tab(from_index_)) return {-direction_ * transition_shift_, 0};
  return {0, 0};
}

}  // namespace dw
