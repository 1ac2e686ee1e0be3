// Text on the form: word-wrapped, vertically centred, no ground; takes no mouse hits.
#pragma once

#include <string>

#include "toolkit/Control.h"
#include "toolkit/TextSettings.h"

namespace dw {

class TLabel : public Control {
 public:
  explicit TLabel(Component* owner);

  const std::u16string& Text() const { return text_; }
  virtual void SetText(const std::u16string& text);

  const TextSettings& GetTextSettings() const { return settings_; }
  void SetTextSettings(const TextSettings& settings);
  unsigned StyledSettings() const { return styled_; }
  void SetStyledSettings(unsigned styled);
  // A Left-aligned label with AutoSize takes the width of its text.
  bool AutoSize() const { return auto_size_; }
  void SetAutoSize(bool value);

  FontSpec CurrentFont() const { return EffectiveFont(this, settings_, styled_); }
  std::uint32_t CurrentColor() const { return EffectiveColor(this, settings_, styled_); }
  // Width of the text on one line in the current font.
  float TextWidth() const;

  bool PreferredWidth(float& width) const override;
  void Paint(Canvas& canvas, const RectF& box) override;

 private:
  void TextChanged();
  std::u16string text_;
  TextSettings settings_;
  unsigned styled_ = kStyledAll;
  bool auto_size_ = false;
};

}  // namespace dw
