// The wizard form of the unit Setup: one class whose methods are the event handlers of
// its layout. It stays thin: each handler calls the feature object that owns the logic.
#pragma once

#include <memory>

#include "toolkit/Form.h"

namespace dw {

class PageFlow;
class TitleBar;
class DestinationPage;
class ProgressDisplay;
class Slideshow;
class ComponentTree;
class CreditsLists;

class TWizardForm : public TForm {
 public:
  // Builds every control of the layout (form/Layout*.cpp) and binds the handlers.
  TWizardForm();
  ~TWizardForm() override;

  // Show handler: slideshow start, placeholder pass, tab reset, mouse hook, required space.
  void FormShow(Component* sender);
  // Brings the host window to the front.
  void FormMouseDown(Component* sender, MouseButton button, float x, float y);

  // Title bar.
  void WindowBarMouseDown(Component* sender, MouseButton button, float x, float y);
  void Rectangle3Click(Component* sender);
  void Rectangle3MouseDown(Component* sender, MouseButton button, float x, float y);
  void Rectangle3MouseEnter(Component* sender);
  void Rectangle3MouseMove(Component* sender, float x, float y);
  void Rectangle3MouseLeave(Component* sender);
  void Rectangle4Click(Component* sender);
  void Rectangle4MouseDown(Component* sender, MouseButton button, float x, float y);
  void Rectangle4MouseEnter(Component* sender);
  void Rectangle4MouseMove(Component* sender, float x, float y);
  void Rectangle4MouseLeave(Component* sender);

  // Page flow.
  void Button2Click(Component* sender);
  void Button3Click(Component* sender);
  void TabControl3Change(Component* sender);
  void FloatAnimation1Finish(Component* sender);

  // Destination page.
  void Edit1Change(Component* sender);
  void SearchEditButton1Click(Component* sender);
  void Switch1Switch(Component* sender);
  void Switch2Switch(Component* sender);

  // Progress.
  void Timer2Timer(Component* sender);

  // Slideshow.
  void Timer1Timer(Component* sender);

  // Component tree.
  void ItemUpdate(Component* sender);
  void ItemChange(Component* sender);

  PageFlow& Flow() { return *flow_; }
  TitleBar& Chrome() { return *title_bar_; }
  DestinationPage& Destination() { return *destination_; }
  ProgressDisplay& Progress() { return *progress_; }
  Slideshow& Slides() { return *slideshow_; }
  ComponentTree& Components() { return *components_; }
  CreditsLists& Credits() { return *credits_; }

  // Names for screen readers of the controls without text (form/AccessibleNames.cpp).
  void DescribeAccessible(const Control& control, AccessibleHint& hint) const override;

 private:
  void BuildLayout();  // form/Layout.cpp
  std::unique_ptr<PageFlow> flow_;
  std::unique_ptr<TitleBar> title_bar_;
  std::unique_ptr<DestinationPage> destination_;
  std::unique_ptr<ProgressDisplay> progress_;
  std::unique_ptr<Slideshow> slideshow_;
  std::unique_ptr<ComponentTree> components_;
  std::unique_ptr<CreditsLists> credits_;
};

}  // namespace dw
