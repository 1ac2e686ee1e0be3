#include "form/Texts.h"

#include <string_view>

#include "form/WizardForm.h"
#include "toolkit/Label.h"
#include "toolkit/Shapes.h"

namespace dw {

namespace {

constexpr std::u16string_view kPlaceholder = u"<appname>";  // compared lower-cased
constexpr float kCreditLineHeight = 24;

char16_t AsciiLower(char16_t c) {
  return c >= u'A' && c <= u'Z' ? c + (u'a' - u'A') : c;
}

bool PlaceholderAt(const std::u16string& text, std::size_t at) {
  if (text.size() - at < kPlaceholder.size()) return false;
  for (std::size_t i = 0; i < kPlaceholder.size(); ++i) {
    if (AsciiLower(text[at + i]) != kPlaceholder[i]) return false;
  }
  return true;
}

}  // namespace

std::u16string ReplaceAppName(const std::u16string& text, const std::u16string& appName) {
  std::u16string result;
  result.reserve(text.size());
  std::size_t at = 0;
  while (at < text.size()) {
    if (PlaceholderAt(text, at)) {
      result += appName;
      at += kPlaceholder.size();
    } else {
      result += text[at];
      ++at;
    }
  }
  return result;
}

void ReplaceAppNamePlaceholder(TLabel& label, const std::u16string& appName) {
  label.SetText(ReplaceAppName(label.Text(), appName));
}

CreditsLists::CreditsLists(TWizardForm& form)
    : lists_{form.Find<TLayout>("Layout9"), form.Find<TLayout>("Layout10")} {}

void CreditsLists::AddLine(int list, const std::u16string& name) {
  if (list < 0 || list > 1 || !lists_[list]) return;
  TLayout& layout = *lists_[list];
  layout.SetHeight(layout.Height() + kCreditLineHeight);
  // Owned by the list's layout, not by the form: the placeholder pass leaves it alone.
  // Its font and colour all come from the style (StyledSettings is all by default).
  auto* line = new TLabel(&layout);
  line->SetParent(&layout);
  // Height before alignment: the line joins the stack with its full height at y 0, right
  // after the first line. Aligned while still 0 px high it would land on the second line's
  // y and, tying with it, follow it instead.
  line->SetHeight(kCreditLineHeight);
  line->SetAlign(Align::Top);
  line->SetText(u"\u25CF " + name);
}

}  // namespace dw
