// A form: the root of a control tree, shown in a native window. It owns its controls,
// dispatches mouse input, runs the shared 10 ms animation tick and draws into a frame
// buffer that it presents only when something visible changed.
#pragma once

#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <vector>

#include "platform/WindowSystem.h"
#include "toolkit/AccessibleHint.h"
#include "toolkit/Control.h"
#include "toolkit/Style.h"
#include "toolkit/render/Canvas.h"

namespace dw {

class TRadioButton;
class FormAccessibility;

// Something driven by the form's animation tick (float animations, tab slides).
class TickClient {
 public:
  virtual ~TickClient() = default;
  virtual void Tick(std::uint64_t nowMs) = 0;
};

enum class FormBorderStyle { None, Single };

class TForm : public Control, private NativeWindowEvents {
 public:
  explicit TForm(Component* owner = nullptr);
  ~TForm() override;

  // --- loading: no change events, no layout until EndLoading ---
  void BeginLoading();
  // Lays everything out, calls Loaded() on every owned component.
  void EndLoading();
  bool Loading() const { return loading_; }

  // --- window ---
  void SetClientSize(int width, int height);
  int ClientWidth() const { return client_width_; }
  int ClientHeight() const { return client_height_; }
  FormBorderStyle BorderStyle = FormBorderStyle::Single;
  // Creates the native window through the current platform (once).
  void CreateWindow();
  NativeWindow* Window() const { return window_.get(); }
  // Shows the window, runs OnShow, activates the form.
  void Show();
  // Hides the window (closing only hides).
  void Close();
  bool IsVisible() const;
  NotifyEvent OnShow;

  TStyleBook* StyleBook = nullptr;
  const Style& CurrentStyle() const;

  // --- animation tick ---
  void AddTickClient(TickClient* client);
  void RemoveTickClient(TickClient* client);
  bool IsTicking() const { return tick_timer_ != 0; }

  // --- radio buttons of this form, for group exclusion ---
  // Registration numbers the buttons in order; the checked ones are also kept by that number,
  // so that checking a button visits only the checked ones, however many the form has.
  void RegisterRadio(TRadioButton* radio);
  void UnregisterRadio(TRadioButton* radio);
  std::vector<TRadioButton*> Radios() const;
  // Called by a registered radio button whenever its flag changes.
  void RadioCheckChanged(TRadioButton* radio);
  // The number of the latest registration: radio buttons registered later are not visited
  // by a loop bounded by it.
  std::uint64_t LastRadioSerial() const { return next_radio_serial_ - 1; }
  // The checked radio button with the lowest number above `after` and at most `limit`.
  TRadioButton* NextCheckedRadio(std::uint64_t after, std::uint64_t limit) const;

  // --- focus and mouse state ---
  Control* Focused() const { return focused_; }
  void SetFocused(Control* control);
  // Whether the control could hold the focus now: it takes the focus, it and its parents
  // are enabled, and it is showing (see IsShowing).
  bool CanHaveFocus(const Control* control) const;
  // Drops the focus when the focused control can no longer hold it (disabled, hidden, its
  // page slid away), so that nothing unusable shows a focus look or takes a key.
  void FocusMayHaveLeft();
  // Moves the focus to the next (or previous) control that can hold it, in reading order
  // (top to bottom, then left to right), wrapping around.
  void FocusNext(bool forward);

  // --- keyboard (keyboard.cpp) ---
  // The button that Enter presses when the focused control does not take the key.
  Control* DefaultButton = nullptr;
  // What Escape and Alt+F4 mean: the window's close request.
  NotifyEvent OnCancelKey;
  // Tab and Shift+Tab move the focus; Enter and Space go to the focused control first
  // (a button presses itself), then Enter to the default button; Escape and Alt+F4 run
  // OnCancelKey; the arrow, page, Home and End keys scroll the content that scrolls.
  void KeyDown(Key key, KeyModifiers modifiers);
  Control* Hovered() const { return hovered_; }
  Control* Captured() const { return captured_; }
  // Forgets a control that is going away.
  void ControlDestroyed(Control* control);

  // --- input in client coordinates (device-independent pixels) ---
  void MouseMove(float x, float y);
  void MouseDown(MouseButton button, float x, float y);
  void MouseUp(MouseButton button, float x, float y);
  void MouseLeave();
  void MouseWheel(int delta, float x, float y);
  // The window lost the mouse while buttons were held: their releases will not come, and
  // the press makes no click.
  void MouseCaptureLost();
  // The control that a press at this client point reaches, or null for the form itself.
  Control* ControlAt(float x, float y);

  // --- drawing ---
  void Invalidate(const RectF& clientRect);
  void InvalidateAll();
  bool HasDirtyRegion() const { return !dirty_.IsEmpty(); }
  // Draws the dirty region (if any) into the retained frame buffer and presents the frame;
  // FramesPresented counts only the frames that had something to draw.
  void PaintNow();
  // Draws the whole form into a canvas (previews, tests).
  void RenderTo(Canvas& canvas);
  const Canvas* Frame() const { return frame_.get(); }
  Canvas* Frame() { return frame_.get(); }
  int FramesPresented() const { return frames_presented_; }

  // --- screen readers (toolkit/Accessibility.cpp) ---
  // What the form adds to a control's description: names for controls without text.
  virtual void DescribeAccessible(const Control& control, AccessibleHint& hint) const;
  // Null until a client has asked for the description.
  FormAccessibility* Accessibility() const { return accessibility_.get(); }
  // A control's text, enabled state or the focus changed, or a page has arrived: only a
  // null check until a client has asked, then the event a screen reader needs.
  void AccessibleChanged(const Control* control, AccessibleChange change);

 private:
  AccessibleSource* NativeAccessibleSource() override;
  void NativeMouseMove(float x, float y) override { MouseMove(x, y); }
  void NativeMouseDown(MouseButton b, float x, float y) override { MouseDown(b, x, y); }
  void NativeMouseUp(MouseButton b, float x, float y) override { MouseUp(b, x, y); }
  void NativeMouseLeave() override { MouseLeave(); }
  void NativeMouseWheel(int delta, float x, float y) override { MouseWheel(delta, x, y); }
  void NativeKeyDown(Key key, KeyModifiers modifiers) override { KeyDown(key, modifiers); }
  void NativePaintRequested() override;
  void NativeCaptureLost() override { MouseCaptureLost(); }
  void OnTick();
  void SetHovered(Control* control, float x, float y);
  void DrawControl(Canvas& canvas, Control& control, PointF origin);
  // Whether children[index], drawn at `box`, lies wholly under the opaque paint of a
  // sibling drawn after it (toolkit/Occlusion.cpp).
  bool HiddenByLaterSibling(const Canvas& canvas, const Control& parent, std::size_t index,
                            const RectF& box, PointF parentOrigin) const;
  void DestroyComponents();

  bool loading_ = false;
  int client_width_ = 0;
  int client_height_ = 0;
  // Before the window, so that it outlives the window and the clients the window serves.
  std::unique_ptr<FormAccessibility> accessibility_;
  std::unique_ptr<NativeWindow> window_;
  bool visible_ = false;
  std::vector<TickClient*> tick_clients_;
  MessageLoop::TimerId tick_timer_ = 0;
  std::map<std::uint64_t, TRadioButton*> radios_;  // by registration number
  std::map<std::uint64_t, TRadioButton*> checked_radios_;
  std::uint64_t next_radio_serial_ = 1;
  Control* focused_ = nullptr;
  Control* hovered_ = nullptr;
  Control* captured_ = nullptr;
  // The mouse buttons pressed on the form and not yet released, one bit per MouseButton;
  // the window holds the mouse capture while any is.
  unsigned buttons_held_ = 0;
  RectF dirty_;
  std::unique_ptr<Canvas> frame_;
  int frames_presented_ = 0;
};

}  // namespace dw
