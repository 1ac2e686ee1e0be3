#include "toolkit/Form.h"

#include <algorithm>
#include <cmath>

#include "platform/Platform.h"
#include "toolkit/Accessibility.h"
#include "toolkit/CheckBox.h"

namespace dw {

TForm::TForm(Component* owner) : Control(owner) {
  form_ = this;
  SetHitTestDefault(false);
}

TForm::~TForm() {
  // Components reach back into the form while they go (timers, animations, radios), so
  // they go while the form is still whole.
  DestroyComponents();
  if (tick_timer_ != 0) {
    if (WindowSystem* windows = CurrentPlatform().windows) windows->Loop().StopTimer(tick_timer_);
    tick_timer_ = 0;
  }
}

void TForm::DestroyComponents() {
  hovered_ = captured_ = focused_ = nullptr;
  DestroyOwned();
}

void TForm::BeginLoading() {
  loading_ = true;
}

void TForm::EndLoading() {
  loading_ = false;
  Realign();
  // Every owned component, however deep, in component order (iteratively).
  std::vector<Component*> work{this};
  std::vector<Component*> all;
  while (!work.empty()) {
    Component* c = work.back();
    work.pop_back();
    for (int i = c->ComponentCount(); i-- > 0;) work.push_back(c->ComponentAt(i));
    if (c != this) all.push_back(c);
  }
  for (Component* c : all) c->Loaded();
  InvalidateAll();
}

void TForm::SetClientSize(int width, int height) {
  client_width_ = width;
  client_height_ = height;
  SetSize(static_cast<float>(width), static_cast<float>(height));
}

void TForm::CreateWindow() {
  if (window_ != nullptr) return;
  WindowSystem* windows = CurrentPlatform().windows;
  if (windows == nullptr) return;
  window_ = windows->CreateFormWindow(client_width_, client_height_, this);
}

void TForm::Show() {
  if (visible_) return;
  CreateWindow();
  visible_ = true;
  if (window_ != nullptr) window_->Show();
  InvalidateAll();
  if (OnShow) OnShow(this);
  if (visible_ && window_ != nullptr) window_->Activate();
}

void TForm::Close() {
  if (!visible_) return;
  visible_ = false;
  if (window_ != nullptr) window_->Hide();
}

bool TForm::IsVisible() const {
  return visible_;
}

const Style& TForm::CurrentStyle() const {
  return StyleOf(this);
}

void TForm::AddTickClient(TickClient* client) {
  if (std::find(tick_clients_.begin(), tick_clients_.end(), client) == tick_clients_.end()) {
    tick_clients_.push_back(client);
  }
  if (tick_timer_ == 0) {
    WindowSystem* windows = CurrentPlatform().windows;
    if (windows == nullptr) return;
    tick_timer_ = windows->Loop().StartTimer(10, [this] { OnTick(); });
  }
}

void TForm::RemoveTickClient(TickClient* client) {
  tick_clients_.erase(std::remove(tick_clients_.begin(), tick_clients_.end(), client),
                      tick_clients_.end());
  // No animation, no tick: an idle form costs nothing.
  if (tick_clients_.empty() && tick_timer_ != 0) {
    if (WindowSystem* windows = CurrentPlatform().windows) windows->Loop().StopTimer(tick_timer_);
    tick_timer_ = 0;
  }
}

void TForm::OnTick() {
  WindowSystem* windows = CurrentPlatform().windows;
  if (windows == nullptr) return;
  std::uint64_t now = windows->Loop().NowMs();
  // Clients may finish, start others or run nested loops that tick again: work on a copy
  // and skip those that left meanwhile.
  std::vector<TickClient*> snapshot = tick_clients_;
  for (TickClient* client : snapshot) {
    if (std::find(tick_clients_.begin(), tick_clients_.end(), client) == tick_clients_.end()) {
      continue;
    }
    client->Tick(now);
  }
}

void TForm::RegisterRadio(TRadioButton* radio) {
  if (radio->radio_serial_ != 0) return;
  radio->radio_serial_ = next_radio_serial_++;
  radios_.emplace(radio->radio_serial_, radio);
  RadioCheckChanged(radio);
}

void TForm::UnregisterRadio(TRadioButton* radio) {
  if (radio->radio_serial_ == 0) return;
  checked_radios_.erase(radio->radio_serial_);
  // By number: a form of many tree items unregisters each of their buttons when it closes.
  radios_.erase(radio->radio_serial_);
  radio->radio_serial_ = 0;
}

std::vector<TRadioButton*> TForm::Radios() const {
  std::vector<TRadioButton*> radios;
  radios.reserve(radios_.size());
  for (const auto& entry : radios_) radios.push_back(entry.second);
  return radios;
}

void TForm::RadioCheckChanged(TRadioButton* radio) {
  if (radio->radio_serial_ == 0) return;
  if (radio->IsChecked()) {
    checked_radios_[radio->radio_serial_] = radio;
  } else {
    checked_radios_.erase(radio->radio_serial_);
  }
}

TRadioButton* TForm::NextCheckedRadio(std::uint64_t after, std::uint64_t limit) const {
  auto next = checked_radios_.upper_bound(after);
  return next != checked_radios_.end() && next->first <= limit ? next->second : nullptr;
}

void TForm::SetFocused(Control* control) {
  if (control == focused_) return;
  Control* old = focused_;
  focused_ = control;
  if (old != nullptr) old->Repaint();
  if (control != nullptr) control->Repaint();
  AccessibleChanged(control, AccessibleChange::Focus);
}

void TForm::ControlDestroyed(Control* control) {
  if (hovered_ == control) hovered_ = nullptr;
  if (captured_ == control) captured_ = nullptr;
  if (focused_ == control) focused_ = nullptr;
  if (accessibility_ != nullptr) accessibility_->Forget(control);
}

Control* TForm::ControlAt(float x, float y) {
  const auto& children = Children();
  for (std::size_t i = children.size(); i-- > 0;) {
    Control* child = children[i];
    Control* hit = child->HitTestAt(x - child->Position().X, y - child->Position().Y);
    if (hit != nullptr) return hit;
  }
  return nullptr;
}

namespace {
PointF Local(const Control* control, float x, float y) {
  RectF r = control->AbsoluteRect();
  return {x - r.Left, y - r.Top};
}
}  // namespace

void TForm::SetHovered(Control* control, float, float) {
  if (control == hovered_) return;
  Control* old = hovered_;
  hovered_ = control;
  if (old != nullptr) old->DoMouseLeave();
  // The leave handler may have moved the mouse state on: only enter what is still hovered.
  if (control != nullptr && hovered_ == control) control->DoMouseEnter();
}

void TForm::MouseMove(float x, float y) {
  SetHovered(ControlAt(x, y), x, y);
  Control* target = captured_ != nullptr ? captured_ : hovered_;
  if (target != nullptr) {
    PointF p = Local(target, x, y);
    target->DoMouseMove(p.X, p.Y);
  }
}

namespace {
unsigned ButtonBit(MouseButton button) {
  return 1u << static_cast<unsigned>(button);
}
}  // namespace

void TForm::MouseDown(MouseButton button, float x, float y) {
  // The release must come back here wherever the pointer goes meanwhile.
  if (buttons_held_ == 0 && window_ != nullptr) window_->CaptureMouse();
  buttons_held_ |= ButtonBit(button);
  SetHovered(ControlAt(x, y), x, y);
  Control* target = hovered_;
  if (target == nullptr) {
    if (OnMouseDown) OnMouseDown(this, button, x, y);
    return;
  }
  // Another button's press on another control: that control's press no longer counts.
  if (captured_ != nullptr && captured_ != target) captured_->pressed_ = false;
  captured_ = target;
  if (button == MouseButton::Left) target->pressed_ = true;
  if (target->CanFocus()) SetFocused(target);
  PointF p = Local(target, x, y);
  target->DoMouseDown(button, p.X, p.Y);
}

void TForm::MouseUp(MouseButton button, float x, float y) {
  // A release whose press the form did not see, or whose capture it lost, is no click.
  if ((buttons_held_ & ButtonBit(button)) == 0) return;
  buttons_held_ &= ~ButtonBit(button);
  Control* target = captured_;
  captured_ = nullptr;
  // Given back before any handler runs: a click may nest the host's own windows and loops.
  if (buttons_held_ == 0 && window_ != nullptr) window_->ReleaseMouse();
  if (target == nullptr) return;
  bool wasPressed = target->pressed_;
  target->pressed_ = false;
  PointF p = Local(target, x, y);
  target->DoMouseUp(button, p.X, p.Y);
  // A click needs the press and the release on the same control. The up handler may have
  // nested anything: ask the form again where the mouse is.
  if (button == MouseButton::Left && wasPressed && ControlAt(x, y) == target &&
      target->IsEffectivelyEnabled()) {
    target->DoClick();
  }
}

void TForm::MouseCaptureLost() {
  buttons_held_ = 0;
  Control* target = captured_;
  captured_ = nullptr;
  if (target == nullptr) return;
  target->pressed_ = false;
  target->Repaint();
}

void TForm::MouseLeave() {
  SetHovered(nullptr, 0, 0);
}

void TForm::MouseWheel(int delta, float x, float y) {
  for (Control* c = ControlAt(x, y); c != nullptr && c != this; c = c->Parent()) {
    if (c->DoMouseWheel(delta)) return;
  }
}

void TForm::Invalidate(const RectF& clientRect) {
  if (loading_) return;
  RectF clipped = clientRect.Intersect(
      {0, 0, static_cast<float>(client_width_), static_cast<float>(client_height_)});
  if (clipped.IsEmpty()) return;
  bool wasClean = dirty_.IsEmpty();
  dirty_ = dirty_.Union(clipped);
  if (wasClean && window_ != nullptr) window_->InvalidateWindow();
}

void TForm::InvalidateAll() {
  Invalidate({0, 0, static_cast<float>(client_width_), static_cast<float>(client_height_)});
}

void TForm::NativePaintRequested() {
  PaintNow();
}

void TForm::PaintNow() {
  float scale = window_ != nullptr ? window_->Scale() : 1.0f;
  int pixelWidth = static_cast<int>(std::lround(client_width_ * scale));
  int pixelHeight = static_cast<int>(std::lround(client_height_ * scale));
  if (frame_ == nullptr || frame_->PixelWidth() != pixelWidth ||
      frame_->PixelHeight() != pixelHeight || frame_->Scale() != scale) {
    frame_ = std::make_unique<Canvas>(pixelWidth, pixelHeight, scale);
    dirty_ = {0, 0, static_cast<float>(client_width_), static_cast<float>(client_height_)};
  }
  FrameView view;
  view.pixels = frame_->Pixels().data();
  view.width = pixelWidth;
  view.height = pixelHeight;
  if (!dirty_.IsEmpty()) {
    RectF dirty = dirty_;
    dirty_ = {};
    // Whole physical pixels that cover the dirty box.
    dirty.Left = std::floor(dirty.Left * scale) / scale;
    dirty.Top = std::floor(dirty.Top * scale) / scale;
    dirty.Right = std::ceil(dirty.Right * scale) / scale;
    dirty.Bottom = std::ceil(dirty.Bottom * scale) / scale;
    frame_->PushClip(dirty);
    RenderTo(*frame_);
    frame_->PopClip();
    ++frames_presented_;
    view.dirtyLeft = static_cast<int>(std::floor(dirty.Left * scale));
    view.dirtyTop = static_cast<int>(std::floor(dirty.Top * scale));
    view.dirtyRight = std::min(pixelWidth, static_cast<int>(std::ceil(dirty.Right * scale)));
    view.dirtyBottom = std::min(pixelHeight, static_cast<int>(std::ceil(dirty.Bottom * scale)));
  }
  if (window_ != nullptr) window_->Present(view);
}

void TForm::RenderTo(Canvas& canvas) {
  canvas.FillRect({0, 0, static_cast<float>(client_width_), static_cast<float>(client_height_)},
                  CurrentStyle().formBackground);
  for (Control* child : Children()) DrawControl(canvas, *child, {0, 0});
}

void TForm::DrawControl(Canvas& canvas, Control& control, PointF origin) {
  if (!control.Visible()) return;
  RectF box = control.BoundsRect().Offset(origin.X, origin.Y);
  // A control without area is not drawn, nor is anything inside it.
  if (box.IsEmpty()) return;
  float opacity = control.Opacity() * (control.Enabled() ? 1.0f : CurrentStyle().disabledOpacity);
  if (opacity <= 0) return;
  canvas.PushOpacity(opacity);
  control.Paint(canvas, box);
  if (control.ClipChildren()) canvas.PushClip(box);
  const auto& children = control.Children();
  for (std::size_t i = 0; i < children.size(); ++i) {
    Control* child = children[i];
    if (!control.ShowsChild(child)) continue;
    PointF offset = control.ChildOffset(child);
    const PointF childOrigin{box.Left + offset.X, box.Top + offset.Y};
    if (child->Visible() &&
        HiddenByLaterSibling(canvas, control, i,
                             child->BoundsRect().Offset(childOrigin.X, childOrigin.Y),
                             {box.Left, box.Top})) {
      continue;
    }
    DrawControl(canvas, *child, childOrigin);
  }
  if (control.ClipChildren()) canvas.PopClip();
  control.PaintOver(canvas, box);
  canvas.PopOpacity();
}

}  // namespace dw
