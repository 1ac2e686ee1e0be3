// A one-line text box with a button area at its right end.
#pragma once

#include <string>

#include "toolkit/Control.h"
#include "toolkit/TextSettings.h"

namespace dw {

class TEdit : public Control {
 public:
  explicit TEdit(Component* owner);
  const std::u16string& Text() const { return text_; }
  // A different text fires OnChange before returning; the same text does nothing.
  void SetText(const std::u16string& text);
  bool ReadOnly() const { return read_only_; }
  void SetReadOnly(bool value) { read_only_ = value; }
  const TextSettings& GetTextSettings() const { return settings_; }
  void SetTextSettings(const TextSettings& settings);
  unsigned StyledSettings() const { return styled_; }
  void SetStyledSettings(unsigned styled);
  bool CanFocus() const override { return true; }
  // Space, F4 and Alt+Down press the box's search button: the one way to change a read-only
  // box from the keyboard.
  bool DoKeyDown(Key key, KeyModifiers modifiers) override;

  NotifyEvent OnChange;

  void Realign() override;
  void Paint(Canvas& canvas, const RectF& box) override;
  void DoMouseDown(MouseButton button, float x, float y) override;

 private:
  std::u16string text_;
  TextSettings settings_;
  unsigned styled_ = kStyledAll;
  bool read_only_ = false;
};

// The search button of an edit box: placed by its edit box in the button area, 2 px from
// the edit box's right, top and bottom edges; 28 x 28.
class TSearchEditButton : public Control {
 public:
  explicit TSearchEditButton(Component* owner);
  void Paint(Canvas& canvas, const RectF& box) override;
};

}  // namespace dw
