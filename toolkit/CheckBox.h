// Check boxes and radio buttons. A radio button that becomes checked unchecks every other
// radio button of its form whose GroupName is equal (ASCII letters without case).
#pragma once

#include <cstdint>
#include <string>

#include "toolkit/Control.h"

namespace dw {

class TCheckBox : public Control {
 public:
  explicit TCheckBox(Component* owner);
  bool IsChecked() const { return checked_; }
  // A different value fires OnChange before returning; the same value does nothing.
  void SetIsChecked(bool value);
  const std::u16string& Text() const { return text_; }
  void SetText(const std::u16string& text);
  NotifyEvent OnChange;

  void Paint(Canvas& canvas, const RectF& box) override;
  void DoClick() override;

 private:
  bool checked_ = false;
  std::u16string text_;
};

class TRadioButton : public Control {
 public:
  explicit TRadioButton(Component* owner);
  ~TRadioButton() override;
  bool IsChecked() const { return checked_; }
  // A different value fires OnChange; becoming checked also unchecks the rest of the group
  // (each of them fires its OnChange) before this button's OnChange fires.
  void SetIsChecked(bool value);

  // SetIsChecked taken apart, for a caller that must run each change handler to its end
  // before the next step and cannot nest them (the component tree's cascade keeps deep
  // trees off the stack). SetIsChecked(v) is exactly: if SetCheckedQuietly(v) returned
  // true, then for v true: with limit = the form's LastRadioSerial() and after = 0,
  // repeatedly other = the form's NextCheckedRadio(after, limit), after = other's
  // RadioSerial(), UncheckIfGroupMember(other), until there is none; then NotifyChange.
  // So the buttons registered by then are visited in registration order, each if it is
  // checked when its turn comes.
  // Changes the flag without any event; false when the value was already v.
  bool SetCheckedQuietly(bool value);
  // Unchecks other, a radio button registered with this button's form, (firing its
  // OnChange) if it is another checked member of this button's group; true if it did.
  bool UncheckIfGroupMember(TRadioButton* other);
  // The number the form gave this button when it registered it; 0 when not registered.
  std::uint64_t RadioSerial() const { return radio_serial_; }
  // Fires OnChange (not while the form is loading).
  void NotifyChange();

  const std::u16string& GroupName() const { return group_name_; }
  void SetGroupName(const std::u16string& name) { group_name_ = name; }
  NotifyEvent OnChange;

  void Paint(Canvas& canvas, const RectF& box) override;
  void DoClick() override;

 private:
  friend class TForm;
  bool checked_ = false;
  std::u16string group_name_;
  std::uint64_t radio_serial_ = 0;
};

// ASCII-only case-insensitive equality, as group names and paths compare.
bool EqualsAsciiNoCase(const std::u16string& a, const std::u16string& b);

}  // namespace dw
