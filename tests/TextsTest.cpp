// The "<AppName>" placeholder pass and the credits lists.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "ScriptedHost.h"
#include "form/Texts.h"
#include "toolkit/Edit.h"
#include "toolkit/Shapes.h"

namespace dw {
namespace {

TEST(ReplaceAppNameTest, Cases) {
  const struct {
    std::u16string text;
    std::u16string name;
    std::u16string result;
  } cases[] = {
      {u"<AppName>", u"Foo", u"Foo"},
      {u"More information about <AppName>", u"Foo", u"More information about Foo"},
      {u"<AppName> and <AppName>", u"Foo", u"Foo and Foo"},
      {u"<APPNAME> <appname> <aPpNaMe>", u"Foo", u"Foo Foo Foo"},
      {u"<AppName>", u"x<AppName>y", u"x<AppName>y"},
      {u"<AppName><AppName>", u"<App", u"<App<App"},
      {u"<<AppName>>", u"Foo", u"<Foo>"},
      {u"Installing <AppName>", u"", u"Installing "},
      {u"<AppName", u"Foo", u"<AppName"},
      {u"< AppName>", u"Foo", u"< AppName>"},
      {u"no placeholder", u"Foo", u"no placeholder"},
      {u"", u"Foo", u""},
      {u"\u00C4 <AppName> \u00E9", u"\u65E5\u672C", u"\u00C4 \u65E5\u672C \u00E9"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(ReplaceAppName(c.text, c.name), c.result) << "text of " << c.text.size() << " units";
  }
}

// ---- the pass and the lists on the form ----

class FormTextsTest : public testing::ScriptedHostTest {
 protected:
  void CreateForm() {
    func01(testing::AsHwnd(wizard), testing::AsHwnd(next), testing::AsHwnd(browse));
  }
  void Show(const std::u16string& appName) {
    func08(testing::HostText(appName).get(), testing::HostText(u"1024").get());
    func03();
  }
  std::u16string Text(const char* label) { return Get<TLabel>(label).Text(); }
  // The texts of a list's lines from top to bottom, as laid out.
  std::vector<std::u16string> ShownLines(const char* list) {
    std::vector<Control*> lines = Get<TLayout>(list).Children();
    std::stable_sort(lines.begin(), lines.end(),
                     [](Control* a, Control* b) { return a->Position().Y < b->Position().Y; });
    std::vector<std::u16string> texts;
    for (Control* line : lines) texts.push_back(dynamic_cast<TLabel&>(*line).Text());
    return texts;
  }
  void AddCredit(int list, const std::u16string& name) {
    testing::HostText text(name);
    if (list == 0) {
      func14(text.get());
    } else {
      func15(text.get());
    }
  }
};

TEST_F(FormTextsTest, ShowReplacesThePlaceholdersOfTheFormsLabels) {
  CreateForm();
  Show(u"Foo");
  EXPECT_EQ(Text("Label2"), u"Foo");
  EXPECT_EQ(Text("Label18"), u"Foo");
  EXPECT_EQ(Text("Label26"), u"More information about Foo");
  EXPECT_EQ(Text("Label40"), u"Installing Foo");
  EXPECT_EQ(Text("Label67"), u"Foo has been successfully installed.");
  EXPECT_EQ(Text("Label68"), u"Follow these guides to help run Foo.");
  EXPECT_EQ(Text("Label51"), u"Foo installation has failed.");
  EXPECT_EQ(Text("Label57"), u"Follow these guides to help reinstall Foo.");
  EXPECT_NE(Text("Label45").find(u"Foo"), std::u16string::npos);
  // No label of the form keeps a placeholder; the edit box is not a label.
  for (int i = 0; i < Form().ComponentCount(); ++i) {
    if (auto* label = dynamic_cast<TLabel*>(Form().ComponentAt(i))) {
      EXPECT_EQ(ReplaceAppName(label->Text(), u"!"), label->Text()) << label->Name();
    }
  }
  EXPECT_EQ(Get<TEdit>("Edit1").Text(), u"D:\\<AppName>");
}

TEST_F(FormTextsTest, EveryOccurrenceInAnyCaseAndNothingInserted) {
  CreateForm();
  Get<TLabel>("Label58").SetText(u"<AppName> needs <APPNAME>");
  Show(u"x<AppName>y");
  EXPECT_EQ(Text("Label58"), u"x<AppName>y needs x<AppName>y");
  EXPECT_EQ(Text("Label2"), u"x<AppName>y");
}

TEST_F(FormTextsTest, EmptyNameRemovesThePlaceholders) {
  CreateForm();
  Show(u"");
  EXPECT_EQ(Text("Label2"), u"");
  EXPECT_EQ(Text("Label40"), u"Installing ");
  EXPECT_EQ(Text("Label67"), u" has been successfully installed.");
}

TEST_F(FormTextsTest, LaterNameChangesNothing) {
  CreateForm();
  Show(u"Foo");
  func08(testing::HostText(u"Bar").get(), testing::HostText(u"1").get());
  func02();
  func03();
  EXPECT_EQ(Text("Label2"), u"Foo");
}

TEST_F(FormTextsTest, CreditLinesStackFirstThenNewestFirst) {
  CreateForm();
  for (const char16_t* name : {u"A", u"B", u"C"}) AddCredit(0, name);
  EXPECT_EQ(ShownLines("Layout9"),
            (std::vector<std::u16string>{u"\u25CF A", u"\u25CF C", u"\u25CF B"}));
  AddCredit(0, u"D");
  EXPECT_EQ(ShownLines("Layout9"),
            (std::vector<std::u16string>{u"\u25CF A", u"\u25CF D", u"\u25CF C", u"\u25CF B"}));
  // The order holds after showing and after a new layout of the page.
  Show(u"Foo");
  EXPECT_EQ(ShownLines("Layout9"),
            (std::vector<std::u16string>{u"\u25CF A", u"\u25CF D", u"\u25CF C", u"\u25CF B"}));
}

TEST_F(FormTextsTest, ThreeLinesGrowTheFirstListAndMoveWhatFollows) {
  CreateForm();
  auto& list = Get<TLayout>("Layout9");
  auto& other = Get<TLayout>("Layout10");
  EXPECT_EQ(list.Height(), 2.0f);
  EXPECT_EQ(other.Height(), 2.0f);
  const float headingY = Get<TLabel>("Label34").Position().Y;
  const float ruleY = Get<TRectangle>("Rectangle7").Position().Y;
  const float otherY = other.Position().Y;
  for (const char16_t* name : {u"Ann", u"Bo", u"Cy"}) AddCredit(0, name);
  EXPECT_EQ(list.Height(), 74.0f);
  ASSERT_EQ(list.ChildCount(), 3);
  for (Control* line : list.Children()) {
    EXPECT_EQ(line->Height(), 24.0f);
    EXPECT_EQ(line->Width(), list.Width());
    EXPECT_EQ(line->GetAlign(), Align::Top);
    EXPECT_EQ(line->Owner(), &list) << "owned by the list, not the form";
    EXPECT_EQ(dynamic_cast<TLabel&>(*line).StyledSettings(), unsigned{kStyledAll});
  }
  EXPECT_EQ(Get<TLabel>("Label34").Position().Y, headingY + 72);
  EXPECT_EQ(Get<TRectangle>("Rectangle7").Position().Y, ruleY + 72);
  EXPECT_EQ(other.Position().Y, otherY + 72);
  EXPECT_EQ(other.Height(), 2.0f);
  EXPECT_EQ(other.ChildCount(), 0);
}

TEST_F(FormTextsTest, SecondListAndLinesThePassLeavesAlone) {
  CreateForm();
  AddCredit(1, u"<AppName>");
  AddCredit(1, u"");
  auto& list = Get<TLayout>("Layout10");
  EXPECT_EQ(list.Height(), 50.0f);
  EXPECT_EQ(Get<TLayout>("Layout9").Height(), 2.0f);
  Show(u"Foo");
  EXPECT_EQ(ShownLines("Layout10"), (std::vector<std::u16string>{u"\u25CF <AppName>", u"\u25CF "}));
  // The line's font is the style's: UI font 16, regular, white.
  const auto& line = dynamic_cast<TLabel&>(*list.Child(0));
  EXPECT_EQ(line.CurrentFont(), StyleOf(&line).textFont);
  EXPECT_EQ(line.CurrentColor(), StyleOf(&line).textColor);
}

}  // namespace
}  // namespace dw
