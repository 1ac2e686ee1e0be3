// Tab controls: one page (TTabItem) shown at a time, with a slide transition for
// Next/Previous. Every page fills the control and clips its children; the control clips its
// pages, so a slide draws nothing beside it.
#pragma once

#include <vector>

#include "toolkit/Control.h"
#include "toolkit/Form.h"

namespace dw {

class TTabItem : public Control {
 public:
  explicit TTabItem(Component* owner);
};

enum class TabPosition { Top, None };

class TTabControl : public Control, private TickClient {
 public:
  explicit TTabControl(Component* owner);

  int TabCount() const;
  TTabItem* Tab(int index) const;
  int TabIndex() const { return tab_index_; }
  // A different value fires OnChange before returning (never while the form loads); the
  // same value fires nothing. Setting it during a slide ends the slide at once.
  void SetTabIndex(int index);
  TabPosition GetTabPosition() const { return tab_position_; }
  // The tab strip is never drawn; the position is kept for the layout's sake.
  void SetTabPosition(TabPosition position) { tab_position_ = position; }

  // Slide to the next or previous page: refused while a slide runs or without a target page.
  // TabIndex changes first (OnChange runs at once), then the old page leaves by one page
  // width and the new one enters from the other side, linearly over 0.3 s in whole pixels;
  // the call returns when the new page has arrived, processing messages meanwhile.
  void Next();
  void Previous();
  bool IsTransitionRunning() const { return transition_running_; }

  NotifyEvent OnChange;

  void Realign() override;
  PointF ChildOffset(const Control* child) const override;
  bool ShowsChild(const Control* child) const override;

 private:
  void Slide(int direction);
  void Tick(std::uint64_t nowMs) override;
  void EndTransition();
  int tab_index_ = -1;
  TabPosition tab_position_ = TabPosition::Top;
  bool transition_running_ = false;
  int from_index_ = -1;
  int direction_ = 0;  // +1 Next (leftwards), -1 Previous (rightwards)
  std::uint64_t transition_start_ms_ = 0;
  float transition_shift_ = 0;  // whole pixels moved so far
};

}  // namespace dw
